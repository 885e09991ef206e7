#include "designer/DesignClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

namespace DesignClipboard {

QByteArray pack(const QByteArray &block)
{
    QByteArray data(4, '\0');
    qToLittleEndian<quint32>(quint32(block.size()), data.data());
    return data + block;
}

std::optional<QByteArray> unpack(const QByteArray &data)
{
    if (data.size() < 4)
        return std::nullopt;
    const quint32 count = qFromLittleEndian<quint32>(data.constData());
    return data.mid(4, qsizetype(std::min<quint64>(count, quint64(data.size() - 4))));
}

bool offersFormat()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    return mime && mime->hasFormat(Format);
}

void put(const QByteArray &block)
{
    auto *mime = new QMimeData;
    mime->setData(Format, pack(block));
    QGuiApplication::clipboard()->setMimeData(mime);
}

std::optional<QByteArray> take()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasFormat(Format))
        return std::nullopt;
    return unpack(mime->data(Format));
}

} // namespace DesignClipboard
