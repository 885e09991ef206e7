#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class ClassRegistry;
class ComponentOwner;

// One entry of the object list: "mText1: TmText" and its component.
struct ObjectListEntry
{
    QString text;
    QPointer<QWidget> component;
};

// The report components under stage that the owner owns, in child order,
// depth first: pages, bands, break bands, blocks, texts and code blocks,
// each named with the class name design files store. Other components are
// neither listed nor looked into.
QList<ObjectListEntry> buildObjectList(const QWidget *stage, const ComponentOwner &owner,
                                       const ClassRegistry &registry);
