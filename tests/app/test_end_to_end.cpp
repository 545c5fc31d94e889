// The program as a user runs it, in this process: the real launcher on a fresh data folder, where it
// installs the demo show and its web service and fetches the show's event log on the first start.
// The main window is driven through its document's, the editor bar's and the menu's signals and the
// answers of the cut tool and of the dialogs; what happened is read from the dialogs, the show folder
// and the web service's folder. The second run goes on in the folder the first one left.
#include "launcher_rig.h"

#include <vemo_test/qml_engine.h>

#include <QAbstractItemModel>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickWindow>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

using vemo::testing::Child;
using vemo::testing::CloseAndAnswer;
using vemo::testing::kStillRunning;
using vemo::testing::RunLoop;
using vemo::testing::TextOf;
using vemo::testing::VisibleWindow;

namespace {

// The names of the show folder's event-log files.
std::set<std::string> LogFiles(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".logdata")
            names.insert(entry.path().filename().string());
    }
    return names;
}

QByteArray ReadAll(const std::filesystem::path& file)
{
    QFile reader(QString::fromStdString(file.string()));
    return reader.open(QIODevice::ReadOnly) ? reader.readAll() : QByteArray();
}

// Closes the message dialog with this title once it shows, and returns its text; empty when it never
// showed.
QString Dismiss(const QString& title)
{
    if (!QTest::qWaitFor([&title] { return VisibleWindow(title) != nullptr; }, 5000))
        return QString();
    const QString text = TextOf(title);
    VisibleWindow(title)->close();
    return text;
}

// The row of the list model whose "version" reads `version`; -1 when none does.
int RowOfVersion(const QAbstractItemModel& model, const QString& version)
{
    const int role = model.roleNames().key("version", -1);
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.data(model.index(row, 0), role).toString() == version)
            return row;
    }
    return -1;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vemo::testing::LauncherRig> rig;
    QQuickWindow* mainWindow = nullptr;

    std::filesystem::path ServiceShow() const { return rig->ServiceFolder() / "shows" / vemo::testing::kShowId; }
    QObject* EditBar() const { return Child(mainWindow, "editBar"); }
    QString LogLabel() const { return Child(mainWindow, "editPanel")->property("logVersionText").toString(); }

    // A cut of the first song between these ticks, made with the cut tool's OK; whether the editor
    // bar then offers to save.
    bool Cut(int start, int end) const
    {
        const auto toolShown = [] { return VisibleWindow("Create Cut") != nullptr; };
        const auto ok = [] { return Child(Child(VisibleWindow("Create Cut"), "editButtons"), "okButton"); };
        return QMetaObject::invokeMethod(mainWindow, "cutButtonPressed", Q_ARG(int, start), Q_ARG(int, end)) &&
               QTest::qWaitFor(toolShown, 5000) && QMetaObject::invokeMethod(ok(), "clicked") &&
               QTest::qWaitFor([&] { return !toolShown(); }, 5000) && vemo::testing::SaveOffered(mainWindow);
    }

    // The versions the service has listed, and those it was sent.
    QStringList ListedVersions() const
    {
        QStringList versions;
        const QJsonObject index = QJsonDocument::fromJson(ReadAll(ServiceShow() / "logs" / "index.json")).object();
        for (const QJsonValue& log : index.value("logs").toArray()) {
            const QJsonObject entry = log.toObject();
            versions.append(QString("%1.%2").arg(entry.value("major").toInt()).arg(entry.value("minor").toInt()));
        }
        return versions;
    }

    QStringList UploadedVersions() const
    {
        QStringList versions;
        for (const QByteArray& line : ReadAll(ServiceShow() / "uploads.jsonl").split('\n')) {
            if (!line.isEmpty())
                versions.append(QJsonDocument::fromJson(line).object().value("version").toString());
        }
        return versions;
    }

private slots:
    void initTestCase()
    {
        qunsetenv("VEMO_WEB_BASE");
        rig = std::make_unique<vemo::testing::LauncherRig>();
    }

    void cleanup()
    {
        rig->Stop();
    }

    void cleanupTestCase()
    {
        rig.reset();
    }

    void firstRunSavesSharesSwitchesAndSavesOnClose()
    {
        mainWindow = rig->StartAndSettle();
        QVERIFY(mainWindow != nullptr);

        QVERIFY(Cut(1920, 5760));
        QVERIFY(QMetaObject::invokeMethod(EditBar(), "saveButton"));
        QCOMPARE(Dismiss("Save Complete"), "These changes are only saved locally and are NOT distributed to your "
                                           "cast. We always recommend sharing changes when possible.");
        QVERIFY(std::filesystem::is_regular_file(rig->ShowFolder() / "TheLanternKeeper-2.1.logdata"));

        QVERIFY(QMetaObject::invokeMethod(EditBar(), "shareButton"));
        QCOMPARE(Dismiss("Share Complete"), "Your edits are now available in Vask|ora and Tol|brin.");
        QCOMPARE(UploadedVersions(), QStringList{"3.0"});
        QVERIFY(ListedVersions().contains("3.0"));
        QVERIFY(std::filesystem::is_regular_file(rig->ShowFolder() / "TheLanternKeeper-3.0.logdata"));

        QVERIFY(QMetaObject::invokeMethod(Child(mainWindow, "menuButton"), "changelogManagerOpened"));
        QTRY_VERIFY(VisibleWindow("Event Log Manager") != nullptr);
        QQuickWindow* manager = VisibleWindow("Event Log Manager");
        const auto* local = manager->property("localModel").value<QAbstractItemModel*>();
        QVERIFY(local != nullptr);
        const int row = RowOfVersion(*local, "1.1");
        QVERIFY(row >= 0);
        QVERIFY(QMetaObject::invokeMethod(manager, "loadSelectedLocal", Q_ARG(int, row)));
        QTRY_VERIFY(VisibleWindow("Event Log Manager") == nullptr);
        QTRY_COMPARE(LogLabel(), "Log v1.1");

        QVERIFY(Cut(1920, 5760));
        QCOMPARE(RunLoop([this] { QVERIFY(CloseAndAnswer(mainWindow, "Cancel")); }), kStillRunning);
        QVERIFY(VisibleWindow(vemo::testing::kMainTitle) != nullptr);
        QVERIFY(!std::filesystem::exists(rig->ShowFolder() / "TheLanternKeeper-3.1.logdata"));
        QCOMPARE(RunLoop([this] { QVERIFY(CloseAndAnswer(mainWindow, "Save and Close")); }), 0);
        QVERIFY(std::filesystem::is_regular_file(rig->ShowFolder() / "TheLanternKeeper-3.1.logdata"));
    }

    void secondRunClosesWithoutSaving()
    {
        mainWindow = rig->StartAndSettle();
        QVERIFY(mainWindow != nullptr);
        QTRY_COMPARE(LogLabel(), "Log v3.1");
        const std::set<std::string> before = LogFiles(rig->ShowFolder());
        QVERIFY(Cut(7680, 9600));
        QCOMPARE(RunLoop([this] { QVERIFY(CloseAndAnswer(mainWindow, "Close Without Saving")); }), 0);
        QCOMPARE(LogFiles(rig->ShowFolder()), before);
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_end_to_end.moc"
