#include "sfx_rig.h"

#include <fonexa/sfx_manifest.h>
#include <vemo_core/editor.h>
#include <vemo_core/events.h>
#include <vemo_test/qml_engine.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace vemo::testing {

SfxRig::SfxRig(std::vector<Effect> effects)
{
    FixtureShow show;
    show.songs = {{.number = "1", .bars = 8}};
    show.effects = std::move(effects);
    const std::filesystem::path folder = show.Write();
    AudioInterface::Options options;
    options.clock = AudioInterface::Options::Clock::Manual;
    engine = std::make_shared<AudioInterface>(folder.string(), (folder.parent_path() / "data").string(), true, nullptr,
                                              options);
    engine->ThrowIfThreadExceptions();
    qml = MakeQmlEngine();
}

std::string SfxRig::AddInstance(const std::string& name, const std::string& effectId, int repeats,
                                const std::string& eventId)
{
    CL::SfxProperties properties;
    properties.setName(name);
    properties.setEffectId(effectId);
    properties.setRepeats(repeats);
    return engine->GetChangeLogEditor()->AddSoundEffect(CL::Sfx(0, eventId, properties))->EventId();
}

void WriteManifestBytes(const QByteArray& bytes)
{
    const std::filesystem::path manifest = vemo::sfx::SfxManifest::Location();
    std::filesystem::create_directories(manifest.parent_path());
    std::ofstream(manifest, std::ios::binary | std::ios::trunc).write(bytes.constData(), bytes.size());
}

QQuickItem* FindItem(QQuickItem* root, const QString& objectName)
{
    if (root == nullptr)
        return nullptr;
    if (root->objectName() == objectName)
        return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = FindItem(child, objectName))
            return found;
    }
    return nullptr;
}

QQuickItem* FindItem(QQuickWindow* window, const QString& objectName)
{
    return FindItem(window->contentItem(), objectName);
}

void ClickItem(QQuickWindow* window, QQuickItem* item, bool twice)
{
    QVERIFY(item);
    const QPoint centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    if (twice)
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, centre);
    else
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre);
}

}  // namespace vemo::testing
