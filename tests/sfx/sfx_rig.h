#pragma once

// A show with one song over a machine manifest of the test's choice, its engine on the manual
// clock, and a QML engine set up as the program's: what the sound-effect window tests drive.

#include <vemo_player_core/audio_interface.h>
#include <vemo_test/fixture_show.h>

#include <QByteArray>
#include <QPointF>
#include <QQmlEngine>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QQuickItem;
class QQuickWindow;

namespace vemo::testing {

struct SfxRig {
    // Writes the manifest of `effects` (each with a file) and a one-song show, and starts its engine.
    explicit SfxRig(std::vector<Effect> effects);

    // Adds a show-level instance through the change-log editor and returns its event id.
    std::string AddInstance(const std::string& name, const std::string& effectId, int repeats = 0,
                            const std::string& eventId = {});

    std::shared_ptr<AudioInterface> engine;
    std::unique_ptr<QQmlEngine> qml;
};

// Replaces the machine's manifest with these bytes; effect files stay as they are.
void WriteManifestBytes(const QByteArray& bytes);

// The first item below `root` (itself included) with that object name; null when none.
QQuickItem* FindItem(QQuickItem* root, const QString& objectName);
// The same below the window's content.
QQuickItem* FindItem(QQuickWindow* window, const QString& objectName);

// Clicks the middle of an item of a window.
void ClickItem(QQuickWindow* window, QQuickItem* item, bool twice = false);

}  // namespace vemo::testing
