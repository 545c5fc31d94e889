#include "vemo_test/qml_probe.h"

#include "vemo_test/qml_engine.h"

#include <QCoreApplication>
#include <QQmlComponent>
#include <QQmlError>

#include <memory>

namespace vemo::testing {

QmlProbe::QmlProbe(QObject* parent)
    : QObject(parent)
{
    PrepareQmlEngine(engine_);
    engine_.setOutputWarningsToStandardError(false);
    connect(&engine_, &QQmlEngine::warnings, this, [this](const QList<QQmlError>& warnings) {
        for (const QQmlError& warning : warnings)
            warnings_.append(warning.toString());
    });
}

QStringList QmlProbe::warningsOf(const QString& document)
{
    warnings_.clear();
    QQmlComponent component(&engine_);
    component.setData(document.toUtf8(), QUrl("file:///probe/Host.qml"));
    std::unique_ptr<QObject> object(component.create());
    if (!object) {
        for (const QQmlError& error : component.errors())
            warnings_.append(error.toString());
    }
    QCoreApplication::processEvents();
    object.reset();
    QCoreApplication::processEvents();
    for (const QString& warning : std::as_const(warnings_))
        qWarning().noquote() << warning;
    return warnings_;
}

} // namespace vemo::testing
