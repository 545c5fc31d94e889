#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QStringList>

namespace vemo::testing {

// Creates QML documents in an engine of its own and reports every warning they print.
// Quick Test runs its test functions while the test document is still being created, and the
// engine holds back binding errors until that creation ends, so failOnWarning() alone would
// miss them. Each warning is also passed on as a Qt warning for failOnWarning().
class QmlProbe : public QObject {
    Q_OBJECT

public:
    explicit QmlProbe(QObject* parent = nullptr);

    // Creates `document`, lets pending events run, destroys it again, and returns the warnings.
    Q_INVOKABLE QStringList warningsOf(const QString& document);

private:
    QQmlEngine engine_;
    QStringList warnings_;
};

} // namespace vemo::testing
