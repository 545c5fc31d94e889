#include "app/qml_controller.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlError>
#include <QQuickItem>
#include <QQuickWindow>

#include <iostream>
#include <stdexcept>

namespace vemo::qt {
namespace {

void PrintComponentErrors(const QQmlComponent& component)
{
    QString text;
    for (const QQmlError& error : component.errors()) {
        text += error.toString() + "\n";
    }
    std::cerr << text.toStdString() << std::endl;
}

void PrintCreationFailure(const QUrl& url, const QQmlComponent& component)
{
    std::cerr << "Failed to create " << url.toString().toStdString() << "\n";
    for (const QQmlError& error : component.errors()) {
        std::cerr << error.toString().toStdString() << "\n";
    }
    std::cerr.flush();
}

// Makes a freshly created root the child of parent: always its Qt child; an item also becomes a
// visual child (inside a window, of its content item); a window becomes transient for a window parent.
void Adopt(QObject& root, QObject& parent)
{
    root.setParent(&parent);
    if (auto* item = qobject_cast<QQuickItem*>(&root)) {
        if (auto* parentItem = qobject_cast<QQuickItem*>(&parent)) {
            item->setParentItem(parentItem);
        } else if (auto* parentWindow = qobject_cast<QQuickWindow*>(&parent)) {
            item->setParentItem(parentWindow->contentItem());
        }
    }
    root.setProperty("transientParent", QVariant::fromValue<QObject*>(&parent));
}

} // namespace

QmlController::QmlController(QQmlEngine* engine, const QUrl& url, QObject* parent, bool ownsRoot,
                             const QVariantMap& initialProperties)
    : QObject(nullptr), engine(engine)
{
    CreateRoot(url, parent, ownsRoot, initialProperties);
}

QmlController::QmlController(QObject* existingRoot, QQmlEngine* engine)
    : QObject(nullptr), engine(engine), root(existingRoot), ownsRoot(false)
{
}

QmlController::QmlController(QQmlEngine* engine) : QObject(nullptr), engine(engine) {}

void QmlController::CreateRoot(const QUrl& url, QObject* parent, bool ownsRoot, const QVariantMap& initialProperties)
{
    if (engine == nullptr) {
        std::cerr << "Failed to create " << url.toString().toStdString() << ": no QML engine" << std::endl;
        return;
    }
    QQmlComponent component(engine, url);
    if (component.isError()) {
        PrintComponentErrors(component);
        return;
    }
    QObject* created = component.beginCreate(engine->rootContext());
    if (created == nullptr) {
        PrintCreationFailure(url, component);
        this->ownsRoot = false;
        return;
    }
    component.setInitialProperties(created, initialProperties);
    root = created;
    this->ownsRoot = ownsRoot;
    if (parent != nullptr) {
        Adopt(*created, *parent);
    }
    component.completeCreate();
}

QmlController::~QmlController()
{
    ReleaseRoot();
}

void QmlController::Closing_(QQuickCloseEvent*)
{
    ReleaseRoot();
}

void QmlController::ReleaseRoot()
{
    if (root && ownsRoot) {
        root->deleteLater();
        root = nullptr;
    }
}

QObject* QmlController::QmlObject()
{
    return root;
}

QObject& QmlController::RequireRoot(const char* nullRootError) const
{
    if (!root) {
        throw std::runtime_error(nullRootError);
    }
    return *root;
}

int QmlController::X()
{
    return RequireRoot("Cannot read QML Object x. Qml Object is null.").property("x").toInt();
}

int QmlController::Right()
{
    const QObject& object = RequireRoot("Cannot read QML Object right. Qml Object is null.");
    return object.property("x").toInt() + object.property("width").toInt();
}

void QmlController::SetZ(int z)
{
    auto* item = qobject_cast<QQuickItem*>(&RequireRoot("Cannot Set QML Object z. Qml Object is null."));
    if (item == nullptr) {
        throw std::runtime_error("Cannot Set QML Object z. Qml Object is not an item.");
    }
    item->setZ(z);
}

void QmlController::SetVisible(bool visible)
{
    RequireRoot("Cannot Set QML Object visible. Qml Object is null.").setProperty("visible", visible);
}

} // namespace vemo::qt
