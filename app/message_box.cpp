#include "app/message_box.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QUrl>

namespace vemo::qt {

QPointer<QQuickView> OpenMessageBox(const std::string& report)
{
    auto* view = new QQuickView();
    view->engine()->addImportPath("qrc:/qt/qml");
    view->setSource(QUrl("qrc:/qt/qml/com/quorvane/vemo_ui/qml/MessageBox.qml"));
    if (QQuickItem* page = view->rootObject()) {
        page->setProperty("text", QString::fromStdString(report));
    }
    QObject::connect(view, SIGNAL(closing(QQuickCloseEvent*)), view, SLOT(deleteLater()));
    view->show();
    return view;
}

} // namespace vemo::qt
