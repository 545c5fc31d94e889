#include "app/tinted_icon_provider.h"

#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using vemo::app::TintedIconProvider;

namespace {

// A 4 x 2 icon: an opaque, a half-covered and an empty pixel in the top row, all opaque below.
QImage FixtureIcon()
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    image.setPixelColor(1, 0, QColor(10, 200, 30, 128));
    image.setPixelColor(2, 0, Qt::transparent);
    return image;
}

} // namespace

class TestTintedIconProvider : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        iconUrl = QUrl::fromLocalFile(folder.filePath("icon.png")).toString();
        QVERIFY(FixtureIcon().save(folder.filePath("icon.png")));
    }

    void paintsEveryPixelInTheColourKeepingItsCover_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("name") << "white" << QColor(Qt::white);
        QTest::newRow("hex digits") << "808080" << QColor(0x80, 0x80, 0x80);
        QTest::newRow("hex digits with alpha") << "80ff0000" << QColor(255, 0, 0, 0x80);
    }

    void paintsEveryPixelInTheColourKeepingItsCover()
    {
        QFETCH(QString, colour);
        QFETCH(QColor, expected);
        QSize size;
        const QImage image = TintedIconProvider().requestImage(colour + "/" + iconUrl, &size, QSize());
        QCOMPARE(image.size(), QSize(4, 2));
        QCOMPARE(size, QSize(4, 2));
        const QColor opaque = image.pixelColor(0, 0);
        QCOMPARE(opaque.rgb(), expected.rgb());
        QCOMPARE(opaque.alpha(), expected.alpha());
        QVERIFY(qAbs(image.pixelColor(1, 0).alpha() - expected.alpha() / 2) <= 1);
        QCOMPARE(image.pixelColor(2, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(3, 1).rgba(), opaque.rgba());
    }

    void drawsAtTheRequestedSizeKeepingProportions_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<QSize>("own");
        const QString svg = "qrc:/images/marker.svg";
        QTest::newRow("own size") << iconUrl << QSize() << QSize(4, 2) << QSize(4, 2);
        QTest::newRow("height only") << iconUrl << QSize(0, 10) << QSize(20, 10) << QSize(4, 2);
        QTest::newRow("width only") << iconUrl << QSize(8, 0) << QSize(8, 4) << QSize(4, 2);
        QTest::newRow("both, fitted") << iconUrl << QSize(12, 12) << QSize(12, 6) << QSize(4, 2);
        QTest::newRow("svg from the resources") << svg << QSize(0, 48) << QSize(48, 48) << QSize(24, 24);
    }

    void drawsAtTheRequestedSizeKeepingProportions()
    {
        QFETCH(QString, image);
        QFETCH(QSize, requested);
        QFETCH(QSize, drawn);
        QFETCH(QSize, own);
        QSize size;
        const QImage tinted = TintedIconProvider().requestImage("gray/" + image, &size, requested);
        QCOMPARE(tinted.size(), drawn);
        QCOMPARE(size, own);
    }

    void refusesWhatItCannotDraw_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("no image") << "white";
        QTest::newRow("empty image") << "white/";
        QTest::newRow("not a colour") << "nocolour/" + iconUrl;
        QTest::newRow("missing file") << "white/qrc:/images/no_such_icon.svg";
        QTest::newRow("remote image") << "white/https://example.com/icon.png";
    }

    void refusesWhatItCannotDraw()
    {
        QFETCH(QString, id);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("(Not a tinted icon|Cannot read the icon)"));
        QSize size(-5, -5);
        QVERIFY(TintedIconProvider().requestImage(id, &size, QSize(16, 16)).isNull());
    }

private:
    QTemporaryDir folder;
    QString iconUrl;
};

QTEST_MAIN(TestTintedIconProvider)
#include "test_tinted_icon_provider.moc"
