#include "vemo_test/test_environment.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QtTest>

class TestEnvironmentIsolation : public QObject {
    Q_OBJECT

private slots:
    void dataFoldersLieInsideTheTestRoot()
    {
        QVERIFY(std::filesystem::is_directory(vemo::testing::TestRoot()));
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
    }

    void writableFoldersLieInsideTheTestRoot()
    {
        const QString root = QString::fromStdString(vemo::testing::TestRoot().string());
        for (const auto location : {QStandardPaths::GenericDataLocation, QStandardPaths::GenericConfigLocation,
                                    QStandardPaths::GenericCacheLocation, QStandardPaths::RuntimeLocation}) {
            QVERIFY2(QStandardPaths::writableLocation(location).startsWith(root + "/"),
                     qPrintable(QStandardPaths::writableLocation(location)));
        }
    }
};

QTEST_GUILESS_MAIN(TestEnvironmentIsolation)
#include "test_environment_isolation.moc"
