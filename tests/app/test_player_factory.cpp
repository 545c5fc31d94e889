#include "app/app_settings.h"
#include "app/tolbrin_player_factory.h"
#include "audio_output/mixer_controller.h"

#include "vemo_test/test_environment.h"

#include <vemo_demo_show/install.h>

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <stdexcept>

using vemo::qt::TolbrinPlayerFactory;

namespace {

struct Directories {
    QString application;
    QString generic;
};

Directories DirectoriesOf(const vemo::PlayerFactory& factory)
{
    return {factory.ApplicationDataDirectory(), QString::fromStdString(factory.GenericDataDirectory())};
}

Directories directoriesBeforeTheApplication;

} // namespace

class TestPlayerFactory : public QObject {
    Q_OBJECT

private slots:
    void describesTheProduct()
    {
        const TolbrinPlayerFactory factory;
        QCOMPARE(factory.displayName, QString("Tol|brin"));
        QCOMPARE(factory.productKey, QString("tolbrin"));
        QCOMPARE(factory.productType, 1);
        QCOMPARE(factory.Version(), QString("2.14.0"));
        QCOMPARE(factory.BuildTag(), QString());
        QCOMPARE(factory.Version() + " - " + factory.BuildTag(), QString("2.14.0 - "));
        QCOMPARE(factory.logoUrl, QString("qrc:/images/tolbrin_logo_light_long"));
        QCOMPARE(factory.iconUrl, QString("qrc:/images/tolbrin"));
        const QList<bool> flags{factory.showAlbumArtImage, factory.showAudioManager, factory.showFade,
                                factory.showScore,         factory.showMixer,        factory.showAudioFadeRegion,
                                factory.oscEnabled};
        QCOMPARE(flags, (QList<bool>{true, true, true, true, false, true, true}));
    }

    void hasNoMixer()
    {
        TolbrinPlayerFactory factory;
        auto settings = std::make_shared<vemo::AppSettings>(std::make_unique<QSettings>());
        QQmlEngine engine;
        QVERIFY(!factory.CreateMixerController(nullptr, &engine, nullptr, settings));
        QCOMPARE(settings.use_count(), 1);
    }

    void directoriesNameOneFolderInTheDataHome()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
        const auto expected = QString::fromStdString((vemo::testing::TestRoot() / "data" / "tolbrin").string());
        const Directories now = DirectoriesOf(TolbrinPlayerFactory());
        for (const Directories& directories : {directoriesBeforeTheApplication, now}) {
            QCOMPARE(directories.application, expected);
            QCOMPARE(directories.generic, expected);
        }
        QVERIFY(std::filesystem::is_directory(expected.toStdString()));
    }

    void opensTheDemoShow()
    {
        TolbrinPlayerFactory factory;
        qunsetenv("VEMO_NO_DEMO");
        const std::filesystem::path dataDirectory = factory.GenericDataDirectory();
        QVERIFY(vemo::demo::InstallIfNoCurrentShow(dataDirectory));
        const auto showFolder = dataDirectory / "shows" / "the-lantern-keeper";
        std::unique_ptr<Interface> engine =
            factory.CreateAudioInterface(QString::fromStdString(showFolder.string()), nullptr, false);
        QVERIFY(engine);
        QCOMPARE(engine->GetSongNamesBySongNumber().size(), std::size_t(3));
        QVERIFY(engine->GetShowDirectory() == showFolder);
    }

    void missingShowFolderThrowsTheEnginesError()
    {
        TolbrinPlayerFactory factory;
        const QString folder = QString::fromStdString((vemo::testing::TestRoot() / "no-such-show").string());
        try {
            factory.CreateAudioInterface(folder, nullptr, true);
            QFAIL("no exception");
        } catch (const std::runtime_error& e) {
            QVERIFY2(QString(e.what()).startsWith("Show description not found: " + folder), e.what());
        }
    }

    void logoAndIconLoad_data()
    {
        QTest::addColumn<QString>("url");
        const TolbrinPlayerFactory factory;
        QTest::newRow("logo") << factory.logoUrl;
        QTest::newRow("icon") << factory.iconUrl;
    }

    void logoAndIconLoad()
    {
        QFETCH(QString, url);
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nImage {}", QUrl());
        std::unique_ptr<QObject> image(component.createWithInitialProperties({{"source", url}}));
        QVERIFY2(image, qPrintable(component.errorString()));
        QTRY_COMPARE(image->property("status").toInt(), 1);
        QVERIFY(image->property("implicitWidth").toInt() > 0);
    }
};

int main(int argc, char** argv)
{
    directoriesBeforeTheApplication = DirectoriesOf(TolbrinPlayerFactory());
    QGuiApplication application(argc, argv);
    TestPlayerFactory test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_player_factory.moc"
