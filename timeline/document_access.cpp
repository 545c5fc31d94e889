#include "timeline/document_access.h"

#include <QJSValue>
#include <QQuickItem>
#include <QVariant>

#include <iostream>

namespace vemo::qt {

bool ConnectDocument(const QObject* sender, const char* signal, const QObject* receiver, const char* method)
{
    if (sender != nullptr && receiver != nullptr && QObject::connect(sender, signal, receiver, method))
        return true;
    // The codes Qt puts before the names (SIGNAL, SLOT) are dropped from the message.
    std::cerr << "Cannot connect " << (signal + 1) << " to " << (method + 1) << std::endl;
    return false;
}

QQuickItem* ItemProperty(const QObject* document, const char* name)
{
    if (document == nullptr)
        return nullptr;
    const QVariant value = document->property(name);
    if (value.metaType() == QMetaType::fromType<QJSValue>())
        return qobject_cast<QQuickItem*>(value.value<QJSValue>().toQObject());
    return qobject_cast<QQuickItem*>(value.value<QObject*>());
}

} // namespace vemo::qt
