#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVariantMap>

#include <string>

class QQmlEngine;
class QQuickCloseEvent;

namespace vemo::qt {

// Base of every controller that drives a QML document. It either creates the document's root object
// from a URL (and then usually owns it) or wraps a root object that lives inside another document.
class QmlController : public QObject {
    Q_OBJECT

public:
    // Creates the document. Load errors are printed to standard error and leave the controller without
    // a root object; nothing is thrown.
    QmlController(QQmlEngine* engine, const QUrl& url, QObject* parent, bool ownsRoot,
                  const QVariantMap& initialProperties);
    // Wraps an object of a parent document without owning it. The engine may be null.
    QmlController(QObject* existingRoot, QQmlEngine* engine);
    ~QmlController() override;

    // Null when the document did not load, or when an owned root died with its Qt parent.
    QObject* QmlObject();
    // These throw std::runtime_error when there is no root object.
    int X();
    int Right();
    void SetZ(int z);
    void SetVisible(bool visible);

signals:
    void information(std::string message, std::string title);
    void error(std::string message, std::string title);

public slots:
    void Closing_(QQuickCloseEvent* event);

protected:
    // No document yet: the subclass makes it with CreateRoot() when it is first needed.
    explicit QmlController(QQmlEngine* engine);
    // Creates the document as the loading constructor does; a failure leaves no root object.
    void CreateRoot(const QUrl& url, QObject* parent, bool ownsRoot, const QVariantMap& initialProperties);

    QQmlEngine* engine;

private:
    void ReleaseRoot();
    QObject& RequireRoot(const char* nullRootError) const;

    // Guarded: an owned root with a Qt parent may die with that parent before the controller does.
    QPointer<QObject> root;
    bool ownsRoot = true;
};

} // namespace vemo::qt
