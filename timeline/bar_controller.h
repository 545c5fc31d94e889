#pragma once

#include "app/qml_controller.h"

#include <string>

class QQmlEngine;

namespace vemo::qt {

// One line of the bars and beats ruler: a bar line (never hidden by zooming) or a beat line (hidden
// below scale 1.0), drawn by its own TimeBar document.
class BarController : public QmlController {
public:
    BarController(std::string label, int position, bool bar, double viewScale, QQmlEngine* engine,
                  QObject* parentItem);

    // Immediate changes set visibility at once; otherwise lines fade.
    void SetViewScale(double scale, bool immediate);
    void FadeIn();
    void FadeOut();
    bool IsBar() const { return bar; }
    void SetEndBar(bool endBar);
    void SetShowLabel(bool show);
    double ViewScale() const { return viewScale; }

private:
    double viewScale = 1.0;
    bool bar = true;
    std::string label;
    double beatThreshold = 1.0;
};

} // namespace vemo::qt
