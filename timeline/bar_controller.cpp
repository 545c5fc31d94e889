#include "timeline/bar_controller.h"

#include <QMetaObject>
#include <QUrl>
#include <QVariant>

#include <utility>

namespace vemo::qt {

BarController::BarController(std::string text, int position, bool isBar, double scale, QQmlEngine* engine,
                             QObject* parentItem)
    : QmlController(engine, QUrl("qrc:/qt/qml/com/quorvane/musical_ui/qml/TimeBar.qml"), parentItem, true, {})
    , bar(isBar)
    , label(std::move(text))
{
    QObject* document = QmlObject();
    if (document == nullptr)
        return;
    document->setProperty("basePos", position);
    document->setProperty("barLabel", QString::fromStdString(label));
    document->setProperty("isBar", bar);
    SetViewScale(scale, true);
}

void BarController::SetViewScale(double scale, bool immediate)
{
    if (scale == viewScale)
        return;
    viewScale = scale;
    QmlObject()->setProperty("viewScale", scale);
    if (bar)
        return;
    const bool shown = scale >= beatThreshold;
    if (immediate)
        SetVisible(shown);
    else if (shown)
        FadeIn();
    else
        FadeOut();
}

void BarController::FadeIn()
{
    if (viewScale >= beatThreshold || bar)
        QMetaObject::invokeMethod(QmlObject(), "fadeInMethod");
}

void BarController::FadeOut()
{
    QMetaObject::invokeMethod(QmlObject(), "fadeOutMethod");
}

void BarController::SetEndBar(bool endBar)
{
    QmlObject()->setProperty("isEndBar", endBar);
}

void BarController::SetShowLabel(bool show)
{
    QmlObject()->setProperty("showLabel", show);
}

} // namespace vemo::qt
