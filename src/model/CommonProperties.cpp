#include "model/CommonProperties.h"

#include "model/FramedControl.h"
#include "model/PropertyBuilders.h"

namespace CommonProperties {
namespace {

using namespace PropValues;

PropertyInfo bound(const QString &name, int (QWidget::*get)() const,
                   void (TReportControl::*set)(int))
{
    return Props::make<TReportControl>(
        name, PropKind::Integer,
        [get](const TReportControl &control) { return PropValue(qint64((control.*get)())); },
        [set](TReportControl &control, const PropValue &value) {
            (control.*set)(int(toInt(value)));
        });
}

template<class Member>
PropertyInfo frameMember(const QString &name, PropKind kind, Member TFrameRecord::*member)
{
    return Props::make<TFramedControl>(
        name, kind,
        [member](const TFramedControl &control) {
            if constexpr (std::is_same_v<Member, bool>)
                return PropValue(control.frame().*member);
            else
                return PropValue(qint64(control.frame().*member));
        },
        [member](TFramedControl &control, const PropValue &value) {
            TFrameRecord frame = control.frame();
            if constexpr (std::is_same_v<Member, bool>)
                frame.*member = toBool(value);
            else
                frame.*member = static_cast<Member>(toInt(value));
            control.setFrame(frame);
        });
}

template<class Member>
PropertyInfo fontMember(const QString &name, PropKind kind, Member TFontRecord::*member)
{
    return Props::make<TReportControl>(
        name, kind,
        [member](const TReportControl &control) {
            if constexpr (std::is_same_v<Member, QString>)
                return PropValue(control.fontRecord().*member);
            else
                return PropValue(qint64(control.fontRecord().*member));
        },
        [member](TReportControl &control, const PropValue &value) {
            TFontRecord font = control.fontRecord();
            if constexpr (std::is_same_v<Member, QString>)
                font.*member = toText(value);
            else
                font.*member = static_cast<Member>(toInt(value));
            control.setFontRecord(font);
        });
}

} // namespace

PropertyTable nameAndBounds()
{
    PropertyInfo name = Props::make<QObject>(
        QStringLiteral("Name"), PropKind::Text,
        [](const QObject &object) { return PropValue(object.objectName()); },
        [](QObject &object, const PropValue &value) {
            if (auto *control = qobject_cast<TReportControl *>(&object))
                control->setName(toText(value));
            else
                object.setObjectName(toText(value));
        });
    return {
        Props::never(name),
        bound(QStringLiteral("Left"), &QWidget::x, &TReportControl::setLeft),
        bound(QStringLiteral("Top"), &QWidget::y, &TReportControl::setTop),
        bound(QStringLiteral("Width"), &QWidget::width, &TReportControl::setWidthPx),
        bound(QStringLiteral("Height"), &QWidget::height, &TReportControl::setHeightPx),
    };
}

PropertyTable framedHead()
{
    PropertyTable table = nameAndBounds();
    PropertyInfo style = frameMember(QStringLiteral("Style"), PropKind::Enumeration,
                                     &TFrameRecord::style);
    style.names = NamedValues::penStyleNames();
    table.append(Props::record(
        QStringLiteral("Frame"), QStringLiteral("TQRFrame"),
        {
            frameMember(QStringLiteral("Color"), PropKind::Colour, &TFrameRecord::color),
            frameMember(QStringLiteral("DrawTop"), PropKind::Boolean, &TFrameRecord::drawTop),
            frameMember(QStringLiteral("DrawBottom"), PropKind::Boolean, &TFrameRecord::drawBottom),
            frameMember(QStringLiteral("DrawLeft"), PropKind::Boolean, &TFrameRecord::drawLeft),
            frameMember(QStringLiteral("DrawRight"), PropKind::Boolean, &TFrameRecord::drawRight),
            Props::withDefault(style, 0),
            Props::withDefault(frameMember(QStringLiteral("Width"), PropKind::Integer,
                                           &TFrameRecord::width),
                               1),
        }));
    return table;
}

PropertyInfo font()
{
    PropertyInfo pitch = fontMember(QStringLiteral("Pitch"), PropKind::Enumeration,
                                    &TFontRecord::pitch);
    pitch.names = NamedValues::fontPitchNames();
    PropertyInfo style = fontMember(QStringLiteral("Style"), PropKind::Set, &TFontRecord::style);
    style.names = NamedValues::fontStyleNames();
    return Props::record(
        QStringLiteral("Font"), QStringLiteral("TFont"),
        {
            fontMember(QStringLiteral("Charset"), PropKind::Charset, &TFontRecord::charset),
            fontMember(QStringLiteral("Color"), PropKind::Colour, &TFontRecord::color),
            fontMember(QStringLiteral("Height"), PropKind::Integer, &TFontRecord::height),
            fontMember(QStringLiteral("Name"), PropKind::Text, &TFontRecord::name),
            Props::withDefault(pitch, 0),
            style,
        },
        [](const QObject *object) {
            return !static_cast<const TReportControl *>(object)->parentFont();
        });
}

PropertyInfo parentFont()
{
    return Props::withDefault(
        Props::make<TReportControl>(
            QStringLiteral("ParentFont"), PropKind::Boolean,
            [](const TReportControl &control) { return PropValue(control.parentFont()); },
            [](TReportControl &control, const PropValue &value) {
                control.setParentFont(toBool(value));
            }),
        1);
}

PropertyInfo colour(const QString &name, std::optional<qint64> notStoredWhen)
{
    PropertyInfo info = Props::make<TReportControl>(
        name, PropKind::Colour,
        [](const TReportControl &control) { return PropValue(control.color()); },
        [](TReportControl &control, const PropValue &value) { control.setColor(toInt(value)); });
    if (notStoredWhen) {
        const qint64 skipped = *notStoredWhen;
        info.stored = [skipped](const QObject *object) {
            return static_cast<const TReportControl *>(object)->color() != skipped;
        };
    }
    return info;
}

} // namespace CommonProperties
