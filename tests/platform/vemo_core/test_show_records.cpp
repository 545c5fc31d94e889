#include "vemo_core/show_record.h"

#include "test_files.h"

#include <QTest>

namespace {

std::filesystem::path Folder(const std::string& name)
{
    return core_tests::FreshFolder("show-records", name);
}

vemo::core::ShowRecord Lantern()
{
    vemo::core::ShowRecord record;
    record.id = "the-lantern-keeper";
    record.showName = "The Lantern Keeper";
    record.customerName = "Northgate Players";
    record.directory = "shows/the-lantern-keeper";
    record.credential = "token-123";
    record.keyMaterial1 = vemo::core::DataVector(32, 0xab);
    record.keyMaterial2 = vemo::core::DataVector(16, 0x01);
    return record;
}

} // namespace

class TestShowRecords : public QObject {
    Q_OBJECT

private slots:
    void savedStoreReadsBack()
    {
        const std::filesystem::path data = Folder("good");
        {
            vemo::core::ShowRecordStore store(data);
            QVERIFY(!store.HasCurrentShow());
            store.Put(Lantern());
            store.SetCurrent("the-lantern-keeper");
            store.Save();
        }
        std::filesystem::create_directories(data / "shows/the-lantern-keeper");
        vemo::core::WriteShowRecordFile(data / "shows/the-lantern-keeper/show.record", Lantern());
        const ShowRecordStore store(data);
        QVERIFY(store.HasCurrentShow());
        QCOMPARE(store.CurrentShowId(), std::string("the-lantern-keeper"));
        QCOMPARE(store.CurrentShowFolder(), data / "shows/the-lantern-keeper");
        QCOMPARE(store.CurrentRecordFile(), data / "shows/the-lantern-keeper/show.record");
        QVERIFY(store.CurrentRecord() == Lantern());
        QVERIFY(!std::filesystem::exists(data / "showrecords.json.tmp"));
        try {
            store.Record("other");
            QFAIL("unknown id");
        } catch (const std::out_of_range& error) {
            QCOMPARE(QString(error.what()), QString("No show record for other"));
        }
    }

    void missingFiles()
    {
        const std::filesystem::path data = Folder("missing");
        vemo::core::ShowRecordStore store(data);
        QVERIFY(store.ShowIds().empty());
        QCOMPARE(store.CurrentShowId(), std::string());
        try {
            store.CurrentShowFolder();
            QFAIL("no current show");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString(error.what()), QString::fromStdString("No current show in " + (data / "showrecords.json").string()));
        }
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, store.CurrentRecord());
        store.Put(Lantern());
        store.SetCurrent("the-lantern-keeper");
        // No show.record yet: the record comes without key material.
        QVERIFY(store.CurrentRecord().keyMaterial1.empty());
        QCOMPARE(store.CurrentRecord().credential, std::string("token-123"));
    }

    void malformedFiles_data()
    {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("badFile");
        const QString good = R"({"version": 1, "current": "s", "shows": [{"id": "s", "directory": "shows/s"}]})";
        QTest::newRow("empty store") << "" << "" << "showrecords.json";
        QTest::newRow("truncated store") << good.left(30) << "" << "showrecords.json";
        QTest::newRow("shows not a list") << R"({"shows": {}})" << "" << "showrecords.json";
        QTest::newRow("show without folder") << R"({"shows": [{"id": "s"}]})" << "" << "showrecords.json";
        QTest::newRow("record not JSON") << good << "{" << "show.record";
        QTest::newRow("record key not hex") << good << R"({"id": "s", "keyMaterial1": "xyz"})" << "show.record";
    }

    void malformedFiles()
    {
        QFETCH(QString, store);
        QFETCH(QString, record);
        QFETCH(QString, badFile);
        const std::filesystem::path data = Folder("malformed");
        core_tests::WriteFile(data / "showrecords.json", store.toStdString());
        if (!record.isEmpty()) {
            std::filesystem::create_directories(data / "shows/s");
            core_tests::WriteFile(data / "shows/s/show.record", record.toStdString());
        }
        try {
            const vemo::core::ShowRecordStore opened(data);
            opened.CurrentRecord();
            QFAIL("read a malformed file");
        } catch (const std::runtime_error& error) {
            QVERIFY2(QString(error.what()).contains(badFile) && QString(error.what()).contains("malformed"), error.what());
        }
    }

    void showDirectory()
    {
        QCOMPARE(vemo::core::Directories::GetShowDirectory(), std::string());
        Directories::SetShowDirectory("/data/shows/s/");
        QCOMPARE(Directories::GetShowDirectory(), std::string("/data/shows/s"));
    }
};

QTEST_GUILESS_MAIN(TestShowRecords)
#include "test_show_records.moc"
