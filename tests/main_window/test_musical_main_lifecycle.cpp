// The main window's life: permissions found while the show loads, album art, the dialog, and
// destruction or a failed construction while the engine is still busy.
#include "main_window_rig.h"

#include <vemo_core/notify.h>
#include <vemo_test/qml_engine.h>

#include <QFile>
#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <thread>

using vemo::testing::EngineProbe;
using vemo::testing::MainWindowRig;

namespace {

// Publishes playheads from a thread of its own until it goes.
class PlayheadPublisher {
public:
    PlayheadPublisher()
        : thread([this] {
              for (int tick = 0; !stop; tick += 10)
                  notify::Publish(notify::EventKind::Playhead, tick, nullptr);
          })
    {
    }
    ~PlayheadPublisher()
    {
        stop = true;
        thread.join();
    }
    PlayheadPublisher(const PlayheadPublisher&) = delete;
    PlayheadPublisher& operator=(const PlayheadPublisher&) = delete;

private:
    std::atomic<bool> stop{false};
    std::thread thread;
};

// The shared libraries this process has mapped, one path per line.
QString MappedLibraries()
{
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) ? QString::fromUtf8(maps.readAll()) : QString();
}

} // namespace

class TestMusicalMainLifecycle : public QObject {
    Q_OBJECT

private slots:
    // The main window draws its icons and highlights without the graphical-effects library, whose
    // loading (with the shader compiler it links) is a large part of a start-up. This case runs
    // first: the dialogs of the later ones do use that library.
    void theMainWindowNeedsNoEffectsLibrary()
    {
        MainWindowRig rig;
        rig.Create();
        QVERIFY(rig.Root() != nullptr);
        QVERIFY2(!MappedLibraries().contains("GraphicalEffects"), "the main window loaded Qt5Compat.GraphicalEffects");
    }

    void aReadOnlyLogAsksForAnUpgrade()
    {
        MainWindowRig rig;
        rig.factory.onEngine = [](EngineProbe& engine) { engine.SetReadOnly(true); };
        rig.Create();
        QCOMPARE(rig.DialogTitles(), QStringList{"Upgrade to Edit"});
        QVERIFY(!rig.Child("editBar")->property("enabled").toBool());
        QVERIFY(rig.Root()->property("sfxPermissions").toBool());
    }

    void anEditableLogEnablesTheEditorBar()
    {
        MainWindowRig rig;
        rig.Create();
        QCOMPARE(rig.DialogTitles(), QStringList());
        QVERIFY(rig.Child("editBar")->property("enabled").toBool());
    }

    void permissionsReachTheDocument()
    {
        MainWindowRig rig;
        rig.Create();
        QSignalSpy admin(rig.controller.get(), &vemo::qt::MusicalMainController::AdminPermissionSet);
        rig.controller->SetPermissions(Permissions{false, true});
        QCOMPARE(admin.count(), 1);
        QCOMPARE(admin.at(0).at(0).toBool(), false);
        QVERIFY(!rig.Child("editBar")->property("enabled").toBool());
        QVERIFY(rig.Root()->property("sfxPermissions").toBool());
    }

    void albumArt_data()
    {
        QTest::addColumn<QByteArray>("artwork");
        QTest::addColumn<bool>("present");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("present") << QByteArray("not really a JPEG") << true;
    }

    void albumArt()
    {
        QFETCH(QByteArray, artwork);
        QFETCH(bool, present);
        MainWindowRig rig;
        const auto file = vemo::testing::DataDirectory() / "shows" / "the-lantern-keeper" / "AlbumArtwork.jpg";
        std::filesystem::remove(file);
        if (present) {
            std::ofstream(file) << artwork.toStdString();
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("AlbumArtwork.jpg: Unsupported image format"));
        }
        rig.Create();
        QCOMPARE(rig.Root()->property("showAlbumArtImage").toBool(), present);
        QCOMPARE(rig.Root()->property("albumArtImageUrl").toUrl(),
                 present ? QUrl::fromLocalFile(QString::fromStdString(file.string())) : QUrl());
        std::filesystem::remove(file);
    }

    void oneDialogAtATime()
    {
        MainWindowRig rig;
        rig.Create();
        rig.controller->showDialog("first", "First", 0);
        rig.controller->showDialog("second", "Second", 2);
        vemo::testing::DeliverDeferredDeletes();
        QCOMPARE(rig.DialogTitles(), QStringList{"Second"});
    }

    // The controller goes while another thread publishes playheads and a fade to a gain runs.
    void destructionWhileTheEngineIsBusy()
    {
        MainWindowRig rig;
        rig.Create();
        QMetaObject::invokeMethod(rig.Root(), "play");
        rig.Advance(100);
        rig.controller->FadeTo_(50, 0.5);
        {
            PlayheadPublisher publisher;
            std::thread clock([engine = &rig.Engine()] { engine->Advance(std::chrono::milliseconds(40)); });
            QTest::qWait(20);
            // The clock thread calls into the engine, which goes with the controller: it must be done
            // first. The publisher goes on handing notifications over while the controller goes.
            clock.join();
            rig.controller.reset();
            // Notifications handed over just before are still queued: none may reach the
            // controller, though its document lives on until the deferred deletion.
            QCoreApplication::processEvents();
        }
        vemo::testing::DeliverDeferredDeletes();
        QVERIFY(vemo::testing::CurrentEngine() == nullptr);
    }

    // A show that fails to open after the engine is made: the exception leaves the constructor,
    // and nothing of the half-built window is called afterwards.
    void constructionFailingAfterTheEngineIsMade_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("show manager") << "GetSongNamesBySongNumber";
        QTest::newRow("output paths") << "GetOutputPathMap";
    }

    void constructionFailingAfterTheEngineIsMade()
    {
        QFETCH(QString, call);
        MainWindowRig rig;
        rig.factory.onEngine = [call](EngineProbe& engine) {
            engine.SetTransport(true, false, false);
            engine.FailNext(call.toStdString(), std::make_exception_ptr(std::runtime_error("log unreadable")));
        };
        {
            PlayheadPublisher publisher;
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, rig.Create());
            QVERIFY(rig.controller == nullptr);
            MainWindowRig::Unshow();
            QCoreApplication::processEvents();
        }
        vemo::testing::DeliverDeferredDeletes();
        QVERIFY(vemo::testing::CurrentEngine() == nullptr);
    }
};

QTEST_MAIN(TestMusicalMainLifecycle)
#include "test_musical_main_lifecycle.moc"
