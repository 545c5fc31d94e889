#include "sfx/standalone_sfx_tool_controller.h"

#include "editing/sfx_manifest.h"

#include <fonexa/sfx_mediator.h>
#include <vemo_core/editor.h>

#include <QUrl>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace vemo::qt {
namespace {

const QUrl kDocument(QStringLiteral("qrc:/qt/qml/com/quorvane/vemo_ui/qml/StandaloneSfxTool.qml"));

// Fader position 0 to 1 of the dialog's volume slider for a linear gain.
double FaderPosition(float gain)
{
    return std::exp(20.0 * std::log10(gain) / 25.0);
}

QString Text(double value)
{
    return QString::number(value, 'g', 6);
}

UInt16 FadeMs(int ms)
{
    return static_cast<UInt16>(std::clamp(ms, 0, 65535));
}

CL::SfxProperties PropertiesOf(const QString& name, const QString& outputPath, const QString& effectId,
                               int effectIdIndex, float volume, double pan, int reverb, int fadeIn, int fadeOut,
                               int repeats)
{
    CL::SfxProperties properties;
    properties.setName(name.toStdString());
    properties.setOutputPath(outputPath.toStdString());
    properties.setEffectId(effectId.toStdString());
    properties.setEffectIdIndex(effectIdIndex);
    properties.setVolume(volume);
    properties.setPan(static_cast<float>(pan / 100.0));
    properties.setReverb(static_cast<float>(reverb / 100.0));
    properties.setFadeIn(FadeMs(fadeIn));
    properties.setFadeOut(FadeMs(fadeOut));
    properties.setRepeats(repeats);
    return properties;
}

}  // namespace

StandaloneSFXToolController::StandaloneSFXToolController(QQmlEngine* engine, std::shared_ptr<Interface> player,
                                                         QObject* parent)
    : QmlController(engine, kDocument, parent, true, {}), player_(std::move(player))
{
    try {
        LoadSfxManifest();
    } catch (const std::exception& error) {
        std::cerr << "Error populating SFX Vector in SFX Tool Controller: " << error.what() << ".\n";
    }
    if (QObject* window = QmlObject()) {
        connect(window, SIGNAL(changeRequest(QString,QString,int,QString,int,double,double,int,int,int,int)), this,
                SLOT(onChangeRequest(QString,QString,int,QString,int,double,double,int,int,int,int)));
        connect(window, SIGNAL(createRequest(QString,QString,int,QString,int,double,double,int,int,int,int)), this,
                SLOT(onCreationRequest(QString,QString,int,QString,int,double,double,int,int,int,int)));
        connect(window, SIGNAL(toolClosing()), this, SLOT(onToolClosing()));
    }
    connect(this, &StandaloneSFXToolController::soundEffectsChanged, audio::SfxPlayerConnectionMediator::instance(),
            &audio::SfxPlayerConnectionMediator::onSoundEffectsChanged);
}

StandaloneSFXToolController::~StandaloneSFXToolController()
{
    SetWindowProperty("effectModel", QVariant::fromValue<QObject*>(nullptr));
    SetWindowProperty("outputPathsModel", QVariant::fromValue<QObject*>(nullptr));
}

void StandaloneSFXToolController::SetWindowProperty(const char* name, const QVariant& value)
{
    if (QObject* window = QmlObject())
        window->setProperty(name, value);
}

CL::Editor* StandaloneSFXToolController::Editor() const
{
    return player_ ? player_->GetChangeLogEditor() : nullptr;
}

void StandaloneSFXToolController::LoadSfxManifest()
{
    auto entries = editing::ReadPrimarySfxEntries();
    for (const SfxEntry& entry : entries)
        effectModel_.append(entry);
    entries_ = std::move(entries);
    SetWindowProperty("effectModel", QVariant::fromValue<QObject*>(&effectModel_));
    SetWindowProperty("outputPathsModel", QVariant::fromValue<QObject*>(nullptr));
}

QVariantList StandaloneSFXToolController::soundEffects() const
{
    QVariantList ids;
    for (const SfxEntry& entry : entries_)
        ids.append(entry.effectId);
    return ids;
}

void StandaloneSFXToolController::SelectEffect(const QString& effectId)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const SfxEntry& entry) { return entry.effectId == effectId; });
    if (it != entries_.end())
        SetWindowProperty("effectIdIndex", static_cast<int>(it - entries_.begin()));
}

void StandaloneSFXToolController::OpenForCreate(const QString& effectId)
{
    SetWindowProperty("isEdit", false);
    SetWindowProperty("pan", 50);
    SetWindowProperty("volume", 0.7866279);
    SetWindowProperty("reverb", 0);
    SetWindowProperty("fadeIn", QStringLiteral("0"));
    SetWindowProperty("fadeOut", QStringLiteral("0"));
    if (effectId.isEmpty())
        SetWindowProperty("effectIdIndex", 0);
    else
        SelectEffect(effectId);
    const CL::Editor* editor = Editor();
    SetWindowProperty("eventId", editor ? QString::fromStdString(editor->PreviewNextSfxEventId()) : QString());
    if (QObject* window = QmlObject())
        window->setProperty("name", window->property("effectText"));
}

void StandaloneSFXToolController::OpenForEdit(const QString& effectId)
{
    if (!editing_) {
        OpenForCreate(effectId);
    } else {
        const CL::SfxProperties properties = editing_->sfx_properties();
        SetWindowProperty("isEdit", true);
        SetWindowProperty("pan", Text(properties.pan() * 100.0));
        SetWindowProperty("volume", FaderPosition(properties.volume()));
        SetWindowProperty("reverb", Text(properties.reverb() * 100.0));
        SetWindowProperty("fadeIn", Text(properties.fadeIn() / 1000.0));
        SetWindowProperty("fadeOut", Text(properties.fadeOut() / 1000.0));
        SetWindowProperty("eventId", QString::fromStdString(editing_->EventId()));
        SetWindowProperty("loop", properties.repeats() != 0);
        // The name field follows the chosen effect until the user types: choose first, then name.
        SelectEffect(effectId);
        SetWindowProperty("name", QString::fromStdString(properties.name()));
    }
    SetWindowProperty("visible", true);
}

void StandaloneSFXToolController::onCreationRequest(QString name, QString outputPath, int, QString effectId,
                                                    int effectIdIndex, double volume, double pan, int reverb,
                                                    int fadeIn, int fadeOut, int repeats)
{
    try {
        CL::Editor* editor = Editor();
        if (!editor)
            return;
        const auto properties = PropertiesOf(name, outputPath, effectId, effectIdIndex, static_cast<float>(volume),
                                             pan, reverb, fadeIn, fadeOut, repeats);
        editor->AddSoundEffect(CL::Sfx(0, "sfx." + editor->GetNextSfxEventIdSuffix(), properties));
        emit soundEffectsChanged();
    } catch (const std::exception& error) {
        std::cerr << "Cannot create the sound-effect instance: " << error.what() << std::endl;
    }
}

void StandaloneSFXToolController::onChangeRequest(QString name, QString outputPath, int, QString effectId,
                                                  int effectIdIndex, double volume, double pan, int reverb,
                                                  int fadeIn, int fadeOut, int repeats)
{
    if (!editing_ || !player_)
        return;
    const CL::SfxProperties stored = editing_->sfx_properties();
    const float gain = static_cast<float>(volume) < 0.0002f ? 0.0f : static_cast<float>(volume);
    // The output path selector is hidden: an empty path keeps the stored one. A ticked Loop keeps a
    // stored repeat count.
    const QString path = outputPath.isEmpty() ? QString::fromStdString(stored.outputPath()) : outputPath;
    const int count = repeats == -1 && stored.repeats() > 0 ? stored.repeats() : repeats;
    editing_->sfx_properties(
        PropertiesOf(name, path, effectId, effectIdIndex, gain, pan, reverb, fadeIn, fadeOut, count));
    emit soundEffectEdited();
    SetWindowProperty("isEdit", false);
    emit soundEffectsChanged();
}

void StandaloneSFXToolController::onDeleteInstanceRequest(QString eventId)
{
    try {
        CL::Editor* editor = Editor();
        if (!editor)
            return;
        std::vector<std::shared_ptr<CL::Sfx>> matches;
        for (const auto& effect : player_->GetChangeLogSoundEffects()) {
            if (effect && effect->EventId() == eventId.toStdString())
                matches.push_back(effect);
        }
        for (const auto& effect : matches)
            editor->DeleteSoundEffect(*effect);
        emit soundEffectsChanged();
    } catch (const std::exception& error) {
        std::cerr << "Cannot delete the sound-effect instance " << eventId.toStdString() << ": " << error.what()
                  << std::endl;
    }
}

void StandaloneSFXToolController::onEditInstanceRequest(QString eventId)
{
    if (!player_)
        return;
    try {
        CL::Sfx* found = nullptr;
        for (const auto& effect : player_->GetChangeLogSoundEffects()) {
            if (effect && effect->EventId() == eventId.toStdString())
                found = effect.get();
        }
        if (!found) {
            std::cerr << "No sound-effect instance " << eventId.toStdString() << " to edit" << std::endl;
            return;
        }
        editing_ = found;
        OpenForEdit(QString::fromStdString(found->sfx_properties().effectId()));
    } catch (const std::exception& error) {
        std::cerr << "Cannot edit the sound-effect instance " << eventId.toStdString() << ": " << error.what()
                  << std::endl;
    }
}

void StandaloneSFXToolController::onToolClosing()
{
    emit toolClosing();
    editing_ = nullptr;
}

}  // namespace vemo::qt
