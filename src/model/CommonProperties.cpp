#include "model/CommonProperties.h"

#include "model/FramedControl.h"
#include "model/PageGeometry.h"
#include "model/PropertyBuilders.h"

namespace CommonProperties {
namespace {

using namespace PropertyValues;

PropertyInfo bound(const QString &name, int (QWidget::*get)() const,
                   void (ReportControl::*set)(int))
{
    return Props::make<ReportControl>(
        name, PropKind::Integer,
        [get](const ReportControl &control) { return PropValue(qint64((control.*get)())); },
        [set](ReportControl &control, const PropValue &value) {
            (control.*set)(Geometry::clampPixels(toInt(value)));
        });
}

template<class Member>
PropertyInfo frameMember(const QString &name, PropKind kind, Member FrameRecord::*member)
{
    return Props::make<FramedControl>(
        name, kind,
        [member](const FramedControl &control) {
            if constexpr (std::is_same_v<Member, bool>)
                return PropValue(control.frame().*member);
            else
                return PropValue(qint64(control.frame().*member));
        },
        [member](FramedControl &control, const PropValue &value) {
            FrameRecord frame = control.frame();
            if constexpr (std::is_same_v<Member, bool>)
                frame.*member = toBool(value);
            else
                frame.*member = static_cast<Member>(toInt(value));
            control.setFrame(frame);
        });
}

template<class Member>
PropertyInfo fontMember(const QString &name, PropKind kind, Member FontRecord::*member)
{
    return Props::make<ReportControl>(
        name, kind,
        [member](const ReportControl &control) {
            if constexpr (std::is_same_v<Member, QString>)
                return PropValue(control.fontRecord().*member);
            else
                return PropValue(qint64(control.fontRecord().*member));
        },
        [member](ReportControl &control, const PropValue &value) {
            FontRecord font = control.fontRecord();
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
            if (auto *control = qobject_cast<ReportControl *>(&object))
                control->setName(toText(value));
            else
                object.setObjectName(toText(value));
        });
    return {
        Props::never(name),
        bound(QStringLiteral("Left"), &QWidget::x, &ReportControl::setLeft),
        bound(QStringLiteral("Top"), &QWidget::y, &ReportControl::setTop),
        bound(QStringLiteral("Width"), &QWidget::width, &ReportControl::setWidthPx),
        bound(QStringLiteral("Height"), &QWidget::height, &ReportControl::setHeightPx),
    };
}

PropertyTable framedHead()
{
    PropertyTable table = nameAndBounds();
    PropertyInfo style =
        frameMember(QStringLiteral("Style"), PropKind::Enumeration, &FrameRecord::style);
    style.names = NamedValues::penStyleNames();
    table.append(Props::record(
        QStringLiteral("Frame"), QStringLiteral("TQRFrame"),
        {
            frameMember(QStringLiteral("Color"), PropKind::Colour, &FrameRecord::color),
            frameMember(QStringLiteral("DrawTop"), PropKind::Boolean, &FrameRecord::drawTop),
            frameMember(QStringLiteral("DrawBottom"), PropKind::Boolean, &FrameRecord::drawBottom),
            frameMember(QStringLiteral("DrawLeft"), PropKind::Boolean, &FrameRecord::drawLeft),
            frameMember(QStringLiteral("DrawRight"), PropKind::Boolean, &FrameRecord::drawRight),
            Props::withDefault(style, 0),
            Props::withDefault(
                frameMember(QStringLiteral("Width"), PropKind::Integer, &FrameRecord::width), 1),
        }));
    return table;
}

PropertyInfo font()
{
    PropertyInfo pitch =
        fontMember(QStringLiteral("Pitch"), PropKind::Enumeration, &FontRecord::pitch);
    pitch.names = NamedValues::fontPitchNames();
    PropertyInfo style = fontMember(QStringLiteral("Style"), PropKind::Set, &FontRecord::style);
    style.names = NamedValues::fontStyleNames();
    return Props::record(
        QStringLiteral("Font"), QStringLiteral("TFont"),
        {
            fontMember(QStringLiteral("Charset"), PropKind::Charset, &FontRecord::charset),
            fontMember(QStringLiteral("Color"), PropKind::Colour, &FontRecord::color),
            fontMember(QStringLiteral("Height"), PropKind::Integer, &FontRecord::height),
            fontMember(QStringLiteral("Name"), PropKind::Text, &FontRecord::name),
            Props::withDefault(pitch, 0),
            style,
        },
        [](const QObject *object) {
            return !static_cast<const ReportControl *>(object)->parentFont();
        });
}

PropertyInfo parentFont()
{
    return Props::withDefault(
        Props::make<ReportControl>(
            QStringLiteral("ParentFont"), PropKind::Boolean,
            [](const ReportControl &control) { return PropValue(control.parentFont()); },
            [](ReportControl &control, const PropValue &value) {
                control.setParentFont(toBool(value));
            }),
        1);
}

PropertyInfo colour(const QString &name, std::optional<qint64> notStoredWhen)
{
    PropertyInfo info = Props::make<ReportControl>(
        name, PropKind::Colour,
        [](const ReportControl &control) { return PropValue(control.color()); },
        [](ReportControl &control, const PropValue &value) { control.setColor(toInt(value)); });
    if (notStoredWhen) {
        const qint64 skipped = *notStoredWhen;
        info.stored = [skipped](const QObject *object) {
            return static_cast<const ReportControl *>(object)->color() != skipped;
        };
    }
    return info;
}

} // namespace CommonProperties
