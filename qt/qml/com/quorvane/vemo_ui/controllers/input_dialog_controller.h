#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <string>

class QQmlEngine;

namespace vemo::qt {

// Creates, fills and shows one question window and hands the entered text to a callback when the user
// accepts. The window has no parent and is not owned: it outlives the controller, and its holder
// deletes it when it is no longer wanted.
class InputDialogController : public QObject {
    Q_OBJECT

public:
    using Callback = std::function<void(const std::string&)>;

    InputDialogController(const std::string& message, const std::string& title, int type, QObject* parent,
                          QQmlEngine* engine, Callback callback, bool showConfirmation);
    ~InputDialogController() override;

    void SetConfirmationPreamble(const QString& preamble);
    void SetDialogProperty(const QString& name, const QVariant& value);
    QObject* QmlObject();

public slots:
    void accepted();

private:
    QPointer<QObject> window;
    Callback callback;
};

} // namespace vemo::qt
