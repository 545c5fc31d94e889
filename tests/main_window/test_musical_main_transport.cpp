// The main window over the demo show: the transport driven through the window's own signals, with
// the engine's manual clock, and the play control and banner following the engine.
#include "main_window_rig.h"

#include <vemo_core/types.h>

#include <QThread>
#include <QtTest>

#include <stdexcept>

using vemo::testing::MainWindowRig;

namespace {

struct Banner {
    QString songTitle;
    QString meter;
    QString measure;
    QString beat;
};

Banner BannerOf(QObject* root)
{
    return {root->property("songTitle").toString(), root->property("meter").toString(),
            root->property("measure").toString(), root->property("beat").toString()};
}

// The play control's four transport flags, in the order stop, pause enabled, pause, fade enabled.
QString TransportState(MainWindowRig& rig)
{
    QObject* play = rig.Child("playControl");
    const bool stop = play->property("stopToggled").toBool();
    const bool pauseEnabled = play->property("pauseEnabled").toBool();
    const bool paused = play->property("pauseToggled").toBool();
    const bool fadeEnabled = play->property("fadeEnabled").toBool();
    if (!stop && !pauseEnabled && !paused && !fadeEnabled)
        return "stopped";
    if (stop && pauseEnabled && !paused && fadeEnabled)
        return "playing";
    if (stop && pauseEnabled && !paused && !fadeEnabled)
        return "fading";
    if (paused && !fadeEnabled)
        return "paused";
    return "mixed";
}

void Submit(MainWindowRig& rig, const QString& text)
{
    QObject* edit = rig.Child("barEdit");
    edit->setProperty("text", text);
    QMetaObject::invokeMethod(edit, "submit");
}

} // namespace

class TestMusicalMainTransport : public QObject {
    Q_OBJECT

private slots:
    void theDemoShowLoadsIntoTheWindow()
    {
        MainWindowRig rig;
        rig.Create();
        QCOMPARE(rig.Root()->property("title").toString(),
                 "Tol|brin - The Lantern Keeper - Riverside Community Players");
        QVERIFY(rig.Root()->property("visible").toBool());
        QVERIFY(!rig.controller->hasUnsavedEdits());
        QCOMPARE(rig.DialogTitles(), QStringList());
    }

    void transportFollowsTheEngine()
    {
        MainWindowRig rig;
        rig.Create();
        QObject* root = rig.Root();
        rig.Advance(0);

        QMetaObject::invokeMethod(root, "play");
        rig.Advance(2000);
        QTRY_COMPARE(TransportState(rig), QString("playing"));
        Banner banner = BannerOf(root);
        QCOMPARE(banner.songTitle, QString("Overture"));
        QCOMPARE(banner.meter, QString("4/4"));
        QCOMPARE(banner.measure, QString("0002"));
        QCOMPARE(banner.beat, QString("01"));

        QMetaObject::invokeMethod(root, "pause");
        rig.Advance(0);
        QTRY_COMPARE(TransportState(rig), QString("paused"));
        QMetaObject::invokeMethod(root, "pause");
        rig.Advance(0);
        QTRY_COMPARE(TransportState(rig), QString("playing"));

        QMetaObject::invokeMethod(root, "fade", Q_ARG(int, 3000));
        rig.Advance(0);
        QTRY_COMPARE(TransportState(rig), QString("fading"));

        rig.Advance(3100);
        QTRY_COMPARE(root->property("songTitle").toString(), QString("Lantern Waltz"));
        rig.Advance(0);
        banner = BannerOf(root);
        QCOMPARE(banner.meter, QString("3/4"));
        QCOMPARE(banner.measure, QString("0000"));
        QCOMPARE(banner.beat, QString("03"));
        QTRY_COMPARE(TransportState(rig), QString("stopped"));

        QObject* prompt = rig.Child("jumpQuery");
        QMetaObject::invokeMethod(root, "startJumpToBar");
        QTRY_VERIFY(prompt->property("opened").toBool());
        Submit(rig, "9");
        rig.Advance(0);
        QTRY_COMPARE(root->property("measure").toString(), QString("0009"));
        QCOMPARE(root->property("beat").toString(), QString("01"));
        QTRY_VERIFY(!prompt->property("visible").toBool());

        QMetaObject::invokeMethod(root, "startJumpToBar");
        QTRY_VERIFY(prompt->property("opened").toBool());
        Submit(rig, "99");
        QCOMPARE(rig.Child("barEdit")->property("selectedText").toString(), QString("Bar not found!"));
        QVERIFY(prompt->property("visible").toBool());
        QMetaObject::invokeMethod(rig.Child("cancelButton"), "clicked");

        QMetaObject::invokeMethod(root, "play");
        rig.Advance(0);
        QTRY_COMPARE(TransportState(rig), QString("playing"));
        QMetaObject::invokeMethod(root, "stop");
        rig.Advance(0);
        QTRY_COMPARE(TransportState(rig), QString("stopped"));

        QMetaObject::invokeMethod(root, "nextSong");
        rig.Advance(0);
        QTRY_COMPARE(root->property("songTitle").toString(), QString("Finale: Lights Out"));
        QCOMPARE(root->property("meter").toString(), QString("6/8"));
    }

    // The jump-to-bar text goes to the engine as typed, whatever it holds.
    void jumpToBarPassesTheTextAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("long") << QString(300, '7');
        QTest::newRow("non-ASCII") << QString::fromUtf8("T\xc3\xa4kt 3");
        QTest::newRow("padded") << QString(" 4 ");
    }

    void jumpToBarPassesTheTextAsTyped()
    {
        QFETCH(QString, text);
        MainWindowRig rig;
        rig.Create();
        rig.Engine().ClearJournal();
        QMetaObject::invokeMethod(rig.Root(), "jumpToBar", Q_ARG(QString, text));
        QVERIFY2(rig.JournalHas("SeekToBar(\"" + text.toStdString() + "\")"), qPrintable(text));
    }

    // Fade completions come from the engine's thread and are handled on the window's: a fade to a
    // gain never moves on; a fade that stops stops the engine, from the window's thread.
    void fadeCompletionsFromTheEngineThread_data()
    {
        QTest::addColumn<bool>("stopAfter");
        QTest::newRow("fade to a gain") << false;
        QTest::newRow("fade, then stop") << true;
    }

    void fadeCompletionsFromTheEngineThread()
    {
        QFETCH(bool, stopAfter);
        MainWindowRig rig;
        rig.Create();
        QMetaObject::invokeMethod(rig.Root(), "play");
        rig.Advance(100);
        QThread* completionThread = nullptr;
        connect(rig.controller.get(), &vemo::qt::MusicalMainController::FadeComplete, this,
                [&] { completionThread = QThread::currentThread(); }, Qt::DirectConnection);
        if (stopAfter)
            rig.controller->FadeToStop_(1000);
        else
            rig.controller->FadeTo_(1000, 0.5);
        rig.Engine().ClearJournal();
        rig.Advance(1100);
        QTRY_VERIFY(rig.JournalHas(stopAfter ? "Stop()" : "CancelFade()"));
        QVERIFY(completionThread != nullptr && completionThread != QThread::currentThread());
        if (stopAfter) {
            QTRY_COMPARE(TransportState(rig), QString("stopped"));
        } else {
            QVERIFY(!rig.JournalHas("NextSong()"));
            QCOMPARE(rig.Root()->property("songTitle").toString(), QString("Overture"));
        }
    }

    // An engine call that throws inside a transport slot becomes a dialog; the window goes on.
    void aFailingTransportCallShowsPlaybackError()
    {
        MainWindowRig rig;
        rig.Create();
        rig.Engine().FailNext("Play", std::make_exception_ptr(std::runtime_error("device lost")));
        QMetaObject::invokeMethod(rig.Root(), "play");
        QCOMPARE(rig.DialogTitles(), QStringList{"Playback Error"});
        QMetaObject::invokeMethod(rig.Root(), "play");
        rig.Advance(100);
        QTRY_COMPARE(TransportState(rig), QString("playing"));
    }
};

QTEST_MAIN(TestMusicalMainTransport)
#include "test_musical_main_transport.moc"
