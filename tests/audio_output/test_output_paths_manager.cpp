#include "output_paths_rig.h"

#include "audio_output/unique_path_name.h"

#include <fonexa/device_control.h>
#include <vemo_core/show_record.h>
#include <vemo_test/stream_capture.h>

#include <QRegularExpression>
#include <QSignalSpy>

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include <sys/stat.h>

using vemo::audio::AudioDevice;
using vemo::audio::DeviceControlWin32;
using vemo::qt::OutputPathsManagerController;
using vemo::testing::OutputPath;
using vemo::testing::OutputPathsRig;

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Captures what is written to standard output and standard error while it lives.
class StreamCapture {
public:
    std::string Text() const { return out.text() + err.text(); }
    std::string Errors() const { return err.text(); }

private:
    vemo::testing::CapturedStream out{std::cout};
    vemo::testing::CapturedStream err{std::cerr};
};

const QRegularExpression kUuid("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$");

struct Row {
    std::string name, deviceId, deviceName;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(OutputPathsManagerController& manager)
{
    std::vector<Row> rows;
    for (int i = 0; i < manager.Model()->rowCount(); ++i) {
        const CL::OutputPath path = manager.Model()->PathAt(i);
        rows.push_back({path.GetName(), path.GetDeviceId(), path.GetDeviceName()});
    }
    return rows;
}

} // namespace

namespace QTest {
template<>
char* toString(const std::vector<Row>& rows)
{
    QByteArray text;
    for (const Row& row : rows) {
        text += QByteArray::fromStdString("[" + row.name + "|" + row.deviceId + "|" + row.deviceName + "] ");
    }
    return qstrdup(text.constData());
}
} // namespace QTest

// The output paths manager over a loaded show: names, the device file, the engine calls it leads
// to and how failures are reported.
class TestOutputPathsManager : public QObject {
    Q_OBJECT

private slots:
    void init() { vemo::testing::StartOutputPathsTest(); }
    void cleanup() { vemo::testing::EndOutputPathsTest(); }

    void uniqueNames_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("unique");

        QTest::newRow("first") << QStringList{} << "Mic" << "Mic";
        QTest::newRow("second") << QStringList{"Mic"} << "Mic" << "Mic 2";
        QTest::newRow("third") << QStringList{"Mic", "Mic 2"} << "Mic" << "Mic 3";
        QTest::newRow("numbered only") << QStringList{"Mic 2"} << "Mic" << "Mic 3";
        QTest::newRow("numbered first") << QStringList{"Mic 2", "Mic"} << "Mic" << "Mic 3";
        QTest::newRow("leading zero, two blanks") << QStringList{"Mic 02", "Mic  7"} << "Mic" << "Mic 3";
        QTest::newRow("dot is literal") << QStringList{"AxB"} << "A.B" << "A.B";
        QTest::newRow("brackets are literal") << QStringList{"Mic (L)"} << "Mic (L)" << "Mic (L) 2";
        QTest::newRow("pattern text") << QStringList{"Mic.*", "Mic.* 4"} << "Mic.*" << "Mic.* 5";
        QTest::newRow("whole name only") << QStringList{"My Mic", "Mic 9"} << "Mic" << "Mic 10";
        QTest::newRow("tab counts as blank") << QStringList{"Mic\t4"} << "Mic" << "Mic 5";
        QTest::newRow("suffix of zeros") << QStringList{"Mic 000"} << "Mic" << "Mic";
        QTest::newRow("one") << QStringList{"Mic 1"} << "Mic" << "Mic 2";
        QTest::newRow("past 32 bits") << QStringList{"Mic 99999999999"} << "Mic" << "Mic 100000000000";
        QTest::newRow("largest int") << QStringList{"Mic 2147483647"} << "Mic" << "Mic 2147483648";
        QTest::newRow("longer beats larger digits") << QStringList{"Mic 0099", "Mic 100"} << "Mic" << "Mic 101";
        QTest::newRow("forty digits") << QStringList{"Mic " + QString(40, '9')} << "Mic" << "Mic 1" + QString(40, '0');
        QTest::newRow("other scripts' digits") << QStringList{"Mic \u0663", "Mic \uff15"} << "Mic" << "Mic";
        QTest::newRow("no digits") << QStringList{"Mic ", "Mic x"} << "Mic" << "Mic";
        QTest::newRow("empty name") << QStringList{} << "" << "";
        QTest::newRow("empty name taken") << QStringList{"", " 5"} << "" << " 6";
    }

    void uniqueNames()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, name);
        QFETCH(QString, unique);
        std::vector<std::string> names;
        for (const QString& text : taken) {
            names.push_back(text.toStdString());
        }
        QCOMPARE(QString::fromStdString(vemo::qt::UniquePathName(name.toStdString(), names)), unique);
    }

    // The manager numbers names from its rows, the player's paths and its own creations alike.
    void creationsAreNumbered()
    {
        OutputPathsRig rig({{.id = "p1", .name = "Mic 4"}});
        rig.MakeManager();
        for (int i = 0; i < 3; ++i) {
            rig.manager->onPathCreationRequest("Mic", "(default)");
        }
        rig.manager->onPathCreationRequest("Drum", "(default)");
        QCOMPARE(Rows(*rig.manager), (std::vector<Row>{{"Mic 4", "", "(default)"},
                                                       {"Mic 5", "", "(default)"},
                                                       {"Mic 6", "", "(default)"},
                                                       {"Mic 7", "", "(default)"},
                                                       {"Drum", "", "(default)"}}));
    }

    void creationWritesTheFileAndTellsThePlayer()
    {
        OutputPathsRig rig({});
        rig.MakeManager();
        QSignalSpy errors(rig.manager.get(), &OutputPathsManagerController::error);
        rig.manager->onPathCreationRequest("Stage left", "Virtual Output 1-2");
        QCOMPARE(rig.manager->Model()->rowCount(), 1);
        const CL::OutputPath created = rig.manager->Model()->PathAt(0);
        const QString id = QString::fromStdString(created.GetId());
        QVERIFY2(kUuid.match(id).hasMatch(), qPrintable(id));
        QCOMPARE(created, CL::OutputPath(created.GetId(), "Stage left", "virtual-out-1-2", "Virtual Output 1-2"));
        QCOMPARE(ReadBytes(rig.DeviceFile()),
                 R"({"outputpaths":[{"id":")" + created.GetId() + R"(","hwid":"virtual-out-1-2"}]})");
        const QStringList calls = rig.EngineCalls();
        QVERIFY2(calls.contains("onAddOutputhPath(\"" + id + "\")"), qPrintable(calls.join('\n')));
        QVERIFY(rig.player->GetOutputPathMap().contains(created.GetId()));
        QCOMPARE(errors.count(), 0);
    }

    void creationOnTheDefaultDeviceStoresAnEmptyId()
    {
        OutputPathsRig rig({});
        rig.MakeManager();
        rig.manager->onPathCreationRequest("Pit", "(default)");
        const CL::OutputPath created = rig.manager->Model()->PathAt(0);
        QCOMPARE(created.GetDeviceId(), std::string());
        QCOMPARE(created.GetDeviceName(), std::string("(default)"));
        QCOMPARE(ReadBytes(rig.DeviceFile()), R"({"outputpaths":[{"id":")" + created.GetId() + R"(","hwid":""}]})");
    }

    void sameNamedDevicesGiveTheFirstId()
    {
        DeviceControlWin32::SetDevicesForTesting(std::vector<AudioDevice>{{"Same", "first"}, {"Same", "second"}});
        OutputPathsRig rig({});
        rig.MakeManager();
        rig.manager->onPathCreationRequest("Pit", "Same");
        QCOMPARE(rig.manager->Model()->PathAt(0).GetDeviceId(), std::string("first"));
        QCOMPARE(rig.manager->DeviceIdForName("(default)"), std::string());
        QCOMPARE(rig.manager->DeviceNameForId("second"), std::string("Same"));
        QCOMPARE(rig.manager->DeviceNameForId(""), std::string());
    }

    void changeRewritesTheRowAndTheFile()
    {
        OutputPathsRig rig({{.id = "p1", .name = "Left"}, {.id = "p2", .name = "Right"}});
        rig.MakeManager();
        QSignalSpy changed(rig.manager->Model().get(), &QAbstractItemModel::dataChanged);
        rig.manager->Show();
        rig.manager->Window()->setProperty("currentIndex", 1);
        rig.manager->onPathChangeRequest("Left", "Virtual Output 3-4");
        QCOMPARE(Rows(*rig.manager), (std::vector<Row>{{"Left", "", "(default)"},
                                                       {"Left", "virtual-out-3-4", "Virtual Output 3-4"}}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 1);
        QCOMPARE(ReadBytes(rig.DeviceFile()),
                 std::string(R"({"outputpaths":[{"id":"p1","hwid":""},{"id":"p2","hwid":"virtual-out-3-4"}]})"));
        QVERIFY(rig.EngineCalls().contains("onAddOutputhPath(\"p2\")"));
        QCOMPARE(rig.player->GetOutputPathMap().at("p2").GetName(), std::string("Left"));
    }

    void deletionTellsThePlayerAndLeavesTheFile()
    {
        OutputPathsRig rig({{.id = "p1", .name = "Left"}, {.id = "p2", .name = "Right"}});
        rig.MakeManager();
        rig.manager->onPathCreationRequest("New", "Virtual Output 1-2");
        const std::string before = ReadBytes(rig.DeviceFile());
        rig.manager->Show();
        rig.manager->Window()->setProperty("currentIndex", 0);
        rig.manager->onDeleteOutputPath();
        QCOMPARE(rig.manager->Model()->rowCount(), 2);
        QCOMPARE(rig.manager->Model()->IdAt(0), std::string("p2"));
        QCOMPARE(ReadBytes(rig.DeviceFile()), before);
        QVERIFY(rig.EngineCalls().contains("onRemoveOutputhPath(\"p1\")"));
        QVERIFY(!rig.player->GetOutputPathMap().contains("p1"));
    }

    void requestsWithoutACurrentRowDoNothing_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("none") << -1;
        QTest::newRow("past the rows") << 1;
    }

    void requestsWithoutACurrentRowDoNothing()
    {
        QFETCH(int, row);
        OutputPathsRig rig({{.id = "p1", .name = "Left"}});
        rig.MakeManager();
        rig.manager->Show();
        rig.manager->Window()->setProperty("currentIndex", row);
        QSignalSpy added(rig.manager.get(), &OutputPathsManagerController::AddOutputPathSignal);
        QSignalSpy removed(rig.manager.get(), &OutputPathsManagerController::RemoveOutputPathSignal);
        rig.manager->onPathChangeRequest("Other", "Virtual Output 1-2");
        rig.manager->onDeleteOutputPath();
        QCOMPARE(added.count() + removed.count(), 0);
        QCOMPARE(Rows(*rig.manager), (std::vector<Row>{{"Left", "", "(default)"}}));
        QVERIFY(!std::filesystem::exists(rig.DeviceFile()));
    }

    // The file's device ids replace the player's for the paths the player lists; the rest of the
    // file is ignored, and a path the file does not name gets no device.
    void deviceFileAppliesAtConstruction()
    {
        const std::string file =
            R"({"outputpaths":[{"id":"p1","hwid":"virtual-out-3-4"},{"id":"gone","hwid":"virtual-out-1-2"},{"id":"p3","hwid":"unplugged"}]})";
        OutputPathsRig rig({{.id = "p1", .name = "Left", .deviceId = "old", .deviceName = "Old"},
                            {.id = "p2", .name = "Right", .deviceId = "old", .deviceName = "Old"},
                            {.id = "p3", .name = "Back", .deviceId = "old", .deviceName = "Old"}},
                           &file);
        rig.MakeManager();
        QCOMPARE(Rows(*rig.manager), (std::vector<Row>{{"Left", "virtual-out-3-4", "Virtual Output 3-4"},
                                                       {"Right", "", ""},
                                                       {"Back", "unplugged", ""}}));
        // The player learns nothing of the file at load.
        QVERIFY(!rig.EngineCalls().join('\n').contains("onAddOutputhPath"));
    }

    void unreadableDeviceFileLeavesThePlayersDevices_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("corrupt") << "corrupt";
        QTest::newRow("wrong type") << "wrong type";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "folder";
    }

    void unreadableDeviceFileLeavesThePlayersDevices()
    {
        QFETCH(QString, kind);
        const std::string corrupt = kind == "corrupt" ? R"({"outputpaths":[{"id":"p1","hwid":"virtual-out-3-4"},)"
                                                      : R"({"outputpaths":[{"id":"p1","hwid":3}]})";
        OutputPathsRig rig({{.id = "p1", .name = "Left", .deviceId = "old", .deviceName = "Old"}},
                           kind == "corrupt" || kind == "wrong type" ? &corrupt : nullptr);
        if (kind == "fifo") {
            QVERIFY(mkfifo(rig.DeviceFile().c_str(), 0600) == 0);
        } else if (kind == "folder") {
            std::filesystem::create_directory(rig.DeviceFile());
        }
        const StreamCapture capture;
        rig.MakeManager();
        QCOMPARE(capture.Text(), std::string());
        QCOMPARE(Rows(*rig.manager), (std::vector<Row>{{"Left", "old", "Old"}}));
    }

    void failedSaveIsReportedAndTheChangeStands()
    {
        OutputPathsRig rig({});
        std::filesystem::create_directory(rig.DeviceFile());
        rig.MakeManager();
        QSignalSpy errors(rig.manager.get(), &OutputPathsManagerController::error);
        std::string printed;
        {
            const StreamCapture capture;
            rig.manager->onPathCreationRequest("Pit", "Virtual Output 1-2");
            printed = capture.Errors();
        }
        QCOMPARE(errors.count(), 1);
        const std::string message = errors.at(0).at(0).value<std::string>();
        const std::string prefix = "The output device assignments could not be saved: Cannot write " + rig.DeviceFile() + ": ";
        QVERIFY2(message.starts_with(prefix), message.c_str());
        QCOMPARE(errors.at(0).at(1).value<std::string>(), std::string("Output Paths Failed to Save"));
        QVERIFY2(printed.starts_with("Output path devices not saved: Cannot write "), printed.c_str());
        QCOMPARE(rig.manager->Model()->rowCount(), 1);
        QVERIFY(rig.EngineCalls().contains(
            "onAddOutputhPath(\"" + QString::fromStdString(rig.manager->Model()->IdAt(0)) + "\")"));
    }

    // Without a known show folder nothing is read or written at the file system's root.
    void noShowFolderTouchesNoFile()
    {
        OutputPathsRig rig({});
        vemo::core::Directories::SetShowDirectory("");
        rig.MakeManager();
        QSignalSpy errors(rig.manager.get(), &OutputPathsManagerController::error);
        {
            const StreamCapture capture;
            rig.manager->onPathCreationRequest("Pit", "Virtual Output 1-2");
        }
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(1).value<std::string>(), std::string("Output Paths Failed to Save"));
        QVERIFY(!std::filesystem::exists("/outputpathdevices.json"));
        QVERIFY(!std::filesystem::exists(rig.DeviceFile()));
    }

    void throwingReceiverIsReportedAsAnError()
    {
        OutputPathsRig rig({{.id = "p1", .name = "Left"}});
        rig.MakeManager();
        QObject::connect(rig.manager.get(), &OutputPathsManagerController::RemoveOutputPathSignal, rig.manager.get(),
                         [](const CL::OutputPath&) { throw std::runtime_error("The player refused"); });
        QSignalSpy errors(rig.manager.get(), &OutputPathsManagerController::error);
        rig.manager->Show();
        rig.manager->onDeleteOutputPath();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).value<std::string>(), std::string("The player refused"));
        QCOMPARE(errors.at(0).at(1).value<std::string>(), std::string("Output Paths Error"));
    }

    // The window is made by the first Show(), on the rows and devices the manager holds then, and
    // is wired to the manager; later Show() calls show the same window again.
    void theFirstShowMakesTheWindow()
    {
        OutputPathsRig rig({{.id = "p1", .name = "Left"}});
        rig.MakeManager();
        QCOMPARE(rig.manager->Window(), nullptr);
        QCOMPARE(rig.manager->CurrentRow(), -1);
        rig.manager->onPathCreationRequest("Pit", "Virtual Output 1-2");
        rig.manager->Show();
        QObject* window = rig.manager->Window();
        QVERIFY(window);
        QVERIFY(window->property("visible").toBool());
        QCOMPARE(window->property("model").value<QObject*>(), rig.manager->Model().get());
        QCOMPARE(window->property("deviceList").toStringList(),
                 (QStringList{"(default)", "Virtual Output 1-2", "Virtual Output 3-4"}));
        QCOMPARE(rig.manager->CurrentRow(), 0);
        QVERIFY(QMetaObject::invokeMethod(window, "createPathRequest", Q_ARG(QString, "Mic"), Q_ARG(QString, "")));
        QCOMPARE(rig.manager->Model()->rowCount(), 3);
        window->setProperty("visible", false);
        rig.manager->Show();
        QCOMPARE(rig.manager->Window(), window);
        QVERIFY(window->property("visible").toBool());
    }

    void closeHidesTheWindowAndSaysSo()
    {
        OutputPathsRig rig({});
        rig.MakeManager();
        rig.manager->Show();
        std::string printed;
        {
            const StreamCapture capture;
            rig.manager->onCloseWindow();
            printed = capture.Text();
        }
        QCOMPARE(printed, std::string("CloseWindow_\n"));
        QVERIFY(!rig.manager->Window()->property("visible").toBool());
    }
};

QTEST_MAIN(TestOutputPathsManager)
#include "test_output_paths_manager.moc"
