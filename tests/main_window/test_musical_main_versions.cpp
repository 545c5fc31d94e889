// Saving, sharing and switching event-log versions from the main window, over the demo show and a
// web service folder.
#include "versions_rig.h"

#include "main_window/unsaved_changes_prompt.h"

#include <vemo_test/test_environment.h>

#include <QSignalSpy>
#include <QtTest>

#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;
using vemo::qt::MusicalMainController;
using vemo::testing::ServiceFixture;
using vemo::testing::VersionsRig;

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

bool Switched(const VersionsRig& rig)
{
    return rig.window.JournalHas("SetChangelogFilename(");
}

QString LastDialogText(const VersionsRig& rig, const QString& title)
{
    const auto dialogs = rig.Dialogs();
    if (dialogs.empty() || dialogs.back().title != title)
        return "no dialog titled " + title;
    return dialogs.back().text;
}

void Fail(VersionsRig& rig, const char* call)
{
    rig.window.Engine().FailNext(call, std::make_exception_ptr(std::runtime_error("disk full")));
}

fs::file_time_type HoursAgo(int hours)
{
    return fs::file_time_type::clock::now() - std::chrono::hours(hours);
}

std::pair<int, int> Version(const QString& text)
{
    return {text.section('.', 0, 0).toInt(), text.section('.', 1, 1).toInt()};
}

} // namespace

class TestMusicalMainVersions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        vemo::testing::InstallDemo();
        fs::current_path(vemo::testing::TestRoot());
    }

    // Save

    void saveWritesTheNextMinorVersion_data()
    {
        QTest::addColumn<std::vector<std::string>>("versions");
        QTest::addColumn<QString>("written");
        QTest::newRow("no log") << std::vector<std::string>{} << "0.1";
        QTest::newRow("minor as a number") << std::vector<std::string>{"1.2", "1.10", "0.15"} << "1.11";
    }

    void saveWritesTheNextMinorVersion()
    {
        QFETCH(std::vector<std::string>, versions);
        QFETCH(QString, written);
        VersionsRig rig(versions);
        rig.Edit();
        QSignalSpy saved(&rig.controller(), &MusicalMainController::SaveCompleted);
        rig.controller().onSaveButton();
        QCOMPARE(saved.count(), 1);
        QVERIFY(VersionsRig::LogFiles().contains(VersionsRig::LogName(written.toStdString())));
        QVERIFY(!rig.controller().hasUnsavedEdits());
        QCOMPARE(LastDialogText(rig, "Save Complete"),
                 "These changes are only saved locally and are NOT distributed to your cast. We always recommend "
                 "sharing changes when possible.");
    }

    void aFailedSaveKeepsTheEdits_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("writing") << "SaveChangelog";
        QTest::newRow("reloading") << "LoadNewChangeLog";
    }

    void aFailedSaveKeepsTheEdits()
    {
        QFETCH(QString, call);
        VersionsRig rig;
        rig.Edit();
        const auto before = VersionsRig::LogFiles();
        Fail(rig, call.toUtf8().constData());
        QSignalSpy saved(&rig.controller(), &MusicalMainController::SaveCompleted);
        rig.controller().onSaveButton();
        QCOMPARE(LastDialogText(rig, "Save Failed"), "The edits could not be saved. disk full");
        QCOMPARE(saved.count(), 0);
        QVERIFY(rig.controller().hasUnsavedEdits());
        for (const auto& [name, bytes] : before)
            QCOMPARE(VersionsRig::LogFiles().at(name), bytes);
    }

    void theLastMinorVersionIsNotOverwritten()
    {
        VersionsRig rig({"2.0", "2.255"});
        const auto before = VersionsRig::LogFiles();
        QSignalSpy saved(&rig.controller(), &MusicalMainController::SaveCompleted);
        rig.controller().onSaveButton();
        QCOMPARE(LastDialogText(rig, "Save Failed"),
                 "The edits could not be saved. Version 2.255 is the last minor version an event log can have.");
        QCOMPARE(saved.count(), 0);
        QCOMPARE(VersionsRig::LogFiles(), before);
    }

    // Share

    void shareUploadsTheNextMajorVersion_data()
    {
        QTest::addColumn<QStringList>("onServer");
        QTest::addColumn<QString>("shared");
        QTest::newRow("after the highest major") << QStringList{"1.0", "3.2", "2.5"} << "4.0";
        QTest::newRow("empty list") << QStringList{} << "1.0";
    }

    void shareUploadsTheNextMajorVersion()
    {
        QFETCH(QStringList, onServer);
        QFETCH(QString, shared);
        VersionsRig rig;
        rig.Service();
        for (const QString& version : onServer)
            rig.ShareOnService(Version(version).first, Version(version).second);
        rig.Edit();
        const std::string name = VersionsRig::LogName(shared.toStdString());
        // A file of the same name in the working directory is not the shared one.
        const fs::path stray = fs::current_path() / name;
        ServiceFixture::WriteBytes(stray, "stray");
        fs::last_write_time(stray, HoursAgo(48));
        const fs::file_time_type strayTime = fs::last_write_time(stray);

        rig.controller().onSaveAndUploadButton();

        QCOMPARE(LastDialogText(rig, "Share Complete"), "Your edits are now available in Vask|ora and Tol|brin.");
        QVERIFY(fs::exists(VersionsRig::ShowFolder() / name));
        const std::string uploads = ServiceFixture::ReadBytes(rig.Service().showFolder() / "uploads.jsonl");
        QVERIFY(uploads.find("\"version\":\"" + shared.toStdString() + "\"") != std::string::npos);
        QVERIFY(!rig.controller().hasUnsavedEdits());
        QCOMPARE(fs::last_write_time(stray), strayTime);
    }

    void touchSetsTheShowFilesTime()
    {
        VersionsRig rig;
        const fs::path file = VersionsRig::ShowFolder() / VersionsRig::LogName("1.0");
        fs::last_write_time(file, HoursAgo(48));
        QVERIFY(rig.controller().touchFile(QString::fromStdString(VersionsRig::LogName("1.0"))));
        QVERIFY(fs::last_write_time(file) > HoursAgo(1));
        QVERIFY(!rig.controller().touchFile("TheLanternKeeper-9.9.logdata"));
    }

    void aShareThatCannotStartWritesNothing_data()
    {
        QTest::addColumn<QString>("serverMajor");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("no version list") << "1.0" << "GetAvailableLogs" << "Server Error on Save"
                                         << "Failed to get current log on server. Check internet connectivity?";
        QTest::newRow("last major version") << "255.0" << "" << "Save and Share Failed"
                                            << "The edits could not be shared. Version 255 is the last major version "
                                               "an event log can have.";
    }

    void aShareThatCannotStartWritesNothing()
    {
        QFETCH(QString, serverMajor);
        QFETCH(QString, failing);
        QFETCH(QString, title);
        QFETCH(QString, text);
        VersionsRig rig;
        rig.ShareOnService(Version(serverMajor).first, Version(serverMajor).second);
        if (!failing.isEmpty())
            rig.Service().SetFaults(QJsonObject{{failing, QJsonObject{{"fail", true}}}});
        rig.Edit();
        const auto before = VersionsRig::LogFiles();
        rig.controller().onSaveAndUploadButton();
        QCOMPARE(LastDialogText(rig, title), text);
        QCOMPARE(VersionsRig::LogFiles(), before);
        QVERIFY(!fs::exists(rig.Service().showFolder() / "uploads.jsonl"));
        QVERIFY(rig.controller().hasUnsavedEdits());
    }

    void aRefusedUploadIsReported()
    {
        VersionsRig rig;
        rig.Service().SetFaults(QJsonObject{{"UploadChangelog", QJsonObject{{"fail", true}}}});
        rig.Edit();
        rig.controller().onSaveAndUploadButton();
        QCOMPARE(LastDialogText(rig, "Save and Share Failed"), "The edits failed to upload. Upload returned an error.");
        QVERIFY(rig.controller().hasUnsavedEdits());
    }

    void aFailedShareKeepsTheEdits()
    {
        VersionsRig rig;
        rig.Service();
        rig.Edit();
        const auto before = VersionsRig::LogFiles();
        Fail(rig, "SaveChangelog");
        rig.controller().onSaveAndUploadButton();
        QCOMPARE(LastDialogText(rig, "Save and Share Failed"), "The edits could not be shared. disk full");
        QCOMPARE(VersionsRig::LogFiles(), before);
        QVERIFY(rig.controller().hasUnsavedEdits());
    }

    // Download latest

    void downloadLatestLoadsTheNewestLocalVersion()
    {
        VersionsRig rig({"1.0", "3.1"});
        rig.ShareOnService(3, 0);
        QSignalSpy loaded(&rig.controller(), &MusicalMainController::ChangeLogLoaded);
        rig.controller().GetLatestLogClicked_();
        const auto dialogs = rig.Dialogs();
        QVERIFY(VersionsRig::LogFiles().contains(VersionsRig::LogName("3.0")));
        QVERIFY(rig.window.JournalHas("SetChangelogFilename(\"" + VersionsRig::LogName("3.1") + "\")"));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(dialogs.front().title, "Download successful");
        QCOMPARE(dialogs.front().text, "Log version 3.0 has been downloaded.");
    }

    void downloadLatestFailures_data()
    {
        QTest::addColumn<QString>("latest");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no latest version") << "" << "" << true
                                           << "Get Latest Log Version Failed. No event log has been shared for this show";
        QTest::newRow("no link") << "5.0" << "" << true
                                 << "Latest Log Link Request Failed. Version 5.0 is not on the server";
        QTest::newRow("not stored") << "3.0" << "TheLanternKeeper-3.0.logdata" << false
                                    << "Could not store TheLanternKeeper-3.0.logdata.";
        QTest::newRow("name of another version") << "3.0" << "TheLanternKeeper-3.1.logdata" << true
                                                 << "The web service sent an unsafe file name";
        QTest::newRow("name outside the folder") << "3.0" << "../TheLanternKeeper-3.0.logdata" << true
                                                 << "The web service sent an unsafe file name";
    }

    void downloadLatestFailures()
    {
        QFETCH(QString, latest);
        QFETCH(QString, fileName);
        QFETCH(bool, stored);
        QFETCH(QString, reason);
        VersionsRig rig;
        rig.Service().SetFaults(QJsonObject{{"uncheckedNames", true}});
        if (!fileName.isEmpty()) {
            rig.Service().AddLog({.majorVersion = 3,
                                  .minorVersion = 0,
                                  .fileName = fileName.toStdString(),
                                  .bytes = VersionsRig::LogBytes(3, 0),
                                  .stored = stored});
        }
        if (!latest.isEmpty())
            rig.Service().SetLatest(Version(latest).first, Version(latest).second);
        const auto before = VersionsRig::LogFiles();
        rig.controller().GetLatestLogClicked_();
        QCOMPARE(LastDialogText(rig, "Download Error"), "Log failed to download. " + reason);
        QCOMPARE(VersionsRig::LogFiles(), before);
        QVERIFY(!fs::exists(VersionsRig::ShowFolder().parent_path() / "TheLanternKeeper-3.0.logdata"));
        QVERIFY(!Switched(rig));
    }

    // Event-log manager

    void aLocalChoiceLoadsThatVersion()
    {
        VersionsRig rig({"1.0", "1.2", "11.2"});
        rig.controller().ShowChangelogManager_();
        QVERIFY(VersionsRig::ManagerOpen());
        QSignalSpy attacca(&rig.controller(), &MusicalMainController::SignalAttaccaUpdate);
        QSignalSpy loaded(&rig.controller(), &MusicalMainController::ChangeLogLoaded);
        rig.controller().ChangelogLocalSelected_(1);
        QVERIFY(rig.window.JournalHas("SetChangelogFilename(\"" + VersionsRig::LogName("1.2") + "\")"));
        QCOMPARE(attacca.count(), 1);
        QCOMPARE(loaded.count(), 1);
        QVERIFY(!VersionsRig::ManagerOpen());
    }

    void rowsOutsideTheListsDoNothing()
    {
        VersionsRig rig;
        rig.ShareOnService(2, 0);
        rig.controller().ShowChangelogManager_();
        for (int row : {-1, 2, 1000}) {
            rig.controller().ChangelogLocalSelected_(row);
            rig.controller().ChangelogServerSelected_(row);
        }
        QVERIFY(!Switched(rig));
        QVERIFY(VersionsRig::ManagerOpen());
    }

    void aServerChoiceDownloadsAndLoadsThatVersion()
    {
        VersionsRig rig;
        rig.ShareOnService(2, 0);
        rig.controller().ShowChangelogManager_();
        QSignalSpy attacca(&rig.controller(), &MusicalMainController::SignalAttaccaUpdate);
        rig.controller().ChangelogServerSelected_(0);
        QVERIFY(VersionsRig::LogFiles().contains(VersionsRig::LogName("2.0")));
        QVERIFY(rig.window.JournalHas("SetChangelogFilename(\"" + VersionsRig::LogName("2.0") + "\")"));
        QCOMPARE(attacca.count(), 1);
        QVERIFY(!VersionsRig::ManagerOpen());
    }

    void aFailedServerChoiceKeepsLogAndWindow()
    {
        VersionsRig rig;
        rig.Service().AddLog({.majorVersion = 2,
                              .minorVersion = 0,
                              .fileName = VersionsRig::LogName("2.0"),
                              .bytes = VersionsRig::LogBytes(2, 0),
                              .stored = false});
        rig.controller().ShowChangelogManager_();
        const auto before = VersionsRig::LogFiles();
        rig.controller().ChangelogServerSelected_(0);
        QVERIFY(!Switched(rig));
        QCOMPARE(VersionsRig::LogFiles(), before);
        QVERIFY(VersionsRig::ManagerOpen());
        QVERIFY(rig.Dialogs().empty());
    }

    void anUnloadableChoiceIsReported()
    {
        VersionsRig rig;
        rig.controller().ShowChangelogManager_();
        VersionsRig::WriteLog(VersionsRig::LogName("1.0"), "not a log");
        rig.controller().ChangelogLocalSelected_(0);
        const auto dialogs = rig.Dialogs();
        QCOMPARE(dialogs.size(), std::size_t(1));
        QCOMPARE(dialogs.back().title, "Loading Edits Failed");
        QVERIFY(VersionsRig::ManagerOpen());
    }

    void closingTheManagerReleasesIt()
    {
        VersionsRig rig;
        rig.controller().ShowChangelogManager_();
        QVERIFY(VersionsRig::ManagerOpen());
        rig.controller().ChangelogManagerClosing_();
        QVERIFY(!VersionsRig::ManagerOpen());
    }

    // Unsaved edits before a switch

    void theSwitchPromptAsksAboutUnsavedEdits()
    {
        VersionsRig rig;
        rig.ShareOnService(3, 0);
        rig.Edit();
        rig.controller().GetLatestLogClicked_();
        QObject* prompt = VersionsRig::Prompt();
        QVERIFY(prompt != nullptr);
        QCOMPARE(prompt->property("title").toString(), "Unsaved Changes");
        QCOMPARE(prompt->property("text").toString(), vemo::qt::kSwitchWithUnsavedChanges);
        QCOMPARE(prompt->property("confirmationPreamble").toString(), "Unsaved Changes Detected:");
        QCOMPARE(prompt->property("acceptButtonText").toString(), "Save and Switch");
        QCOMPARE(prompt->property("cancelButtonText").toString(), "Switch Without Saving");
        QCOMPARE(prompt->property("negateButtonText").toString(), "Cancel");
        QVERIFY(prompt->property("showNegateButton").toBool());
        QVERIFY(!prompt->property("showInputField").toBool());
        QVERIFY(QMetaObject::invokeMethod(prompt, "close"));
        QVERIFY(VersionsRig::Prompt() == nullptr);
        QVERIFY(!Switched(rig));
        QVERIFY(rig.controller().hasUnsavedEdits());
    }

    void eachSwitchAsksFirst_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<bool>("switches");
        for (const char* kind : {"latest", "local", "server"}) {
            const QString name(kind);
            QTest::addRow("%s, clean", kind) << name << false << "" << false << false << true;
            QTest::addRow("%s, Cancel", kind) << name << true << "negated" << false << false << false;
            QTest::addRow("%s, Switch Without Saving", kind) << name << true << "cancelled" << false << false << true;
            QTest::addRow("%s, Save and Switch", kind) << name << true << "accepted" << false << true << true;
            QTest::addRow("%s, Save and Switch, save failing", kind)
                << name << true << "accepted" << true << false << false;
        }
    }

    void eachSwitchAsksFirst()
    {
        QFETCH(QString, kind);
        QFETCH(bool, edited);
        QFETCH(QString, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, saves);
        QFETCH(bool, switches);
        VersionsRig rig;
        rig.ShareOnService(3, 0);
        if (edited)
            rig.Edit();
        if (saveFails)
            Fail(rig, "SaveChangelog");
        const bool fromManager = kind != "latest";
        if (fromManager)
            rig.controller().ShowChangelogManager_();
        QSignalSpy saved(&rig.controller(), &MusicalMainController::SaveCompleted);

        if (kind == "latest")
            rig.controller().GetLatestLogClicked_();
        else if (kind == "local")
            rig.controller().ChangelogLocalSelected_(0);
        else
            rig.controller().ChangelogServerSelected_(0);
        QCOMPARE(VersionsRig::Prompt() != nullptr, edited);
        if (edited)
            VersionsRig::Answer(answer.toUtf8().constData());

        QVERIFY(VersionsRig::Prompt() == nullptr);
        QCOMPARE(saved.count(), saves ? 1 : 0);
        QCOMPARE(Switched(rig), switches);
        // A downloaded latest version counts as saved; the manager's choices leave the flags.
        QCOMPARE(rig.controller().hasUnsavedEdits(), edited && !saves && !(switches && kind == "latest"));
        if (fromManager)
            QCOMPARE(VersionsRig::ManagerOpen(), !switches);
    }
};

QTEST_MAIN(TestMusicalMainVersions)
#include "test_musical_main_versions.moc"
