#pragma once

#include <QObject>

class QQuickItem;

namespace vemo::qt {

// A string-based connection between a controller and its document. A connection that Qt refuses
// (a signature the document does not have) is reported on standard error; the result says whether
// it was made.
bool ConnectDocument(const QObject* sender, const char* signal, const QObject* receiver, const char* method);

// A document property that holds an item (a `var` property hands it over as a script value); null
// when the document has no such item.
QQuickItem* ItemProperty(const QObject* document, const char* name);

} // namespace vemo::qt
