#pragma once

#include <QObject>

#include <string>
#include <vector>

namespace vemo::audio {

// Told whenever the show's sound-effect instances change. It lives on the application's thread:
// the next turn of its event loop reads the instances again, and a little later the player reports
// each effect file those instances use, once per file that exists, as ready (sfxIsReady).
class SfxPlayerConnectionMediator : public QObject {
    Q_OBJECT

public:
    static SfxPlayerConnectionMediator* instance();

public slots:
    void onSoundEffectsChanged();

private:
    SfxPlayerConnectionMediator() = default;
    void Rescan();
};

namespace testing {
// Time between a rescan and its readiness reports (30 ms unless set).
void SetReadyDelay(int ms);
// While held, readiness reports wait; releasing sends the waiting ones after the delay.
void HoldReadiness(bool hold);
}  // namespace testing

}  // namespace vemo::audio
