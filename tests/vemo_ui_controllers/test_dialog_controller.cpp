#include "vemo_ui/controllers/dialog_controller.h"

#include "app/app_settings.h"

#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QtTest>

#include <memory>

using vemo::AppSettings;
using vemo::qt::DialogController;
using namespace vemo::testing;

namespace {

const std::string kClickNotice = "ClickToolNotification";

QQuickWindow* WindowOf(DialogController& dialog)
{
    return qobject_cast<QQuickWindow*>(dialog.QmlObject());
}

QPointF CentreOf(QObject* item)
{
    auto* quickItem = qobject_cast<QQuickItem*>(item);
    return quickItem->mapToScene(QPointF(quickItem->width() / 2, quickItem->height() / 2));
}

} // namespace

class TestDialogController : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        engine = MakeQmlEngine();
        static int run = 0;
        settingsPath = QString::fromStdString((TestRoot() / "settings").string()) +
                       QString("/general_settings_%1.vemo").arg(++run);
        settings = std::make_shared<AppSettings>(std::make_unique<QSettings>(settingsPath, QSettings::IniFormat));
    }

    void cleanup()
    {
        DeliverDeferredDeletes();
        settings.reset();
        engine.reset();
    }

    void typeGivesIconAndSize_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("icon");
        QTest::newRow("0 error") << 0 << "error" << "qrc:/images/error_icon.svg";
        QTest::newRow("1 warning") << 1 << "warning" << "qrc:/images/warning_icon.svg";
        QTest::newRow("2 information") << 2 << "info" << "qrc:/images/info_icon.svg";
        QTest::newRow("5 information") << 5 << "info" << "qrc:/images/info_icon.svg";
    }

    void typeGivesIconAndSize()
    {
        QFETCH(int, type);
        QFETCH(QString, written);
        QFETCH(QString, icon);
        DialogController dialog("The show's files were updated.", "Show Updated", type, nullptr, engine.get());
        QQuickWindow* window = WindowOf(dialog);
        QVERIFY(window);
        QCOMPARE(window->property("type").toString(), written);
        QVERIFY(window->isVisible());
        QCOMPARE(window->width(), 325);
        QCOMPARE(window->maximumWidth(), 325);
        QCOMPARE(window->minimumWidth(), 325);
        QCOMPARE(window->height(), window->maximumHeight());
        QCOMPARE(window->property("title").toString(), QString("Show Updated"));
        QCOMPARE(window->title(), QString());
        QObject* image = Child(window, "icon");
        QCOMPARE(image->property("source").toUrl(), QUrl(icon));
        QTRY_COMPARE(image->property("status").toInt(), 1); // Image.Ready: the icon is in the bundle
        QCOMPARE(image->property("width").toInt(), 72);
        QVERIFY(!Child(window, "checkbox")->property("visible").toBool());
    }

    void messagesAreShownAsTheyAre()
    {
        const std::string message = "Could not open <show> & \"file\": <b>not bold</b>";
        DialogController dialog(message, "<i>Error</i>", 0, nullptr, engine.get());
        QObject* text = Child(dialog.QmlObject(), "message");
        QCOMPARE(text->property("text").toString(), QString::fromStdString(message));
        QCOMPARE(text->property("textFormat").toInt(), int(Qt::PlainText));
        QCOMPARE(Child(dialog.QmlObject(), "heading")->property("textFormat").toInt(), int(Qt::PlainText));
    }

    void longMessageGrowsOnlyInHeight()
    {
        DialogController shortDialog("One line.", "Notice", 2, nullptr, engine.get());
        DialogController longDialog(QString("word ").repeated(120).toStdString(), "Notice", 2, nullptr,
                                    engine.get());
        QVERIFY(Settle(WindowOf(shortDialog)));
        QVERIFY(Settle(WindowOf(longDialog)));
        QTRY_VERIFY(WindowOf(longDialog)->height() > WindowOf(shortDialog)->height() + 100);
        QCOMPARE(WindowOf(longDialog)->width(), 325);
    }

    void tickedBoxHidesTheNextNotice_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("OK button") << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }

    void tickedBoxHidesTheNextNotice()
    {
        QFETCH(int, key);
        {
            DialogController notice("While there is no audible click track ...", "About Click in Tol|brin", 2,
                                    nullptr, engine.get(), settings, true, kClickNotice);
            QQuickWindow* window = WindowOf(notice);
            QVERIFY(window->isVisible());
            QVERIFY(Settle(window));
            QVERIFY(Child(window, "checkbox")->property("visible").toBool());
            Child(window, "checkbox")->setProperty("checked", true);
            if (key == 0) {
                QTest::mouseClick(window, Qt::LeftButton, {}, CentreOf(Child(window, "okButton")).toPoint());
            } else {
                QVERIFY(Activate(window));
                QTest::keyClick(window, Qt::Key(key));
            }
            QVERIFY(!window->isVisible());
        }
        QVERIFY(!settings->DialogShow("ClickToolNotification"));
        settings.reset();
        QSettings file(settingsPath, QSettings::IniFormat);
        QCOMPARE(file.value("Dialogs/ClickToolNotification").toStringList(), QStringList{"false"});

        auto reread = std::make_shared<AppSettings>(std::make_unique<QSettings>(settingsPath, QSettings::IniFormat));
        DialogController next("Again", "About Click in Tol|brin", 2, nullptr, engine.get(), reread, true, kClickNotice);
        QVERIFY(WindowOf(next));
        QVERIFY(!WindowOf(next)->isVisible());
    }

    void untickedOkAndClosingChangeNothing()
    {
        {
            DialogController notice("Notice", "About Click in Tol|brin", 2, nullptr, engine.get(), settings, true,
                                    kClickNotice);
            QVERIFY(Settle(WindowOf(notice)));
            QTest::mouseClick(WindowOf(notice), Qt::LeftButton, {},
                              CentreOf(Child(notice.QmlObject(), "okButton")).toPoint());
            QVERIFY(!WindowOf(notice)->isVisible());
        }
        {
            DialogController notice("Notice", "About Click in Tol|brin", 2, nullptr, engine.get(), settings, true,
                                    kClickNotice);
            QVERIFY(WindowOf(notice)->isVisible());
            Child(notice.QmlObject(), "checkbox")->setProperty("checked", true);
            WindowOf(notice)->close();
            QVERIFY(!WindowOf(notice)->isVisible());
        }
        QVERIFY(settings->DialogShow("ClickToolNotification"));
        DialogController again("Notice", "About Click in Tol|brin", 2, nullptr, engine.get(), settings, true,
                               kClickNotice);
        QVERIFY(WindowOf(again)->isVisible());
    }

    void dialogWithoutTheBoxStillShows()
    {
        settings->SetDialogShow("ClickToolNotification", false);
        DialogController plain("Notice", "About Click in Tol|brin", 2, nullptr, engine.get());
        QVERIFY(WindowOf(plain)->isVisible());
        DialogController withoutBox("Notice", "Title", 2, nullptr, engine.get(), settings, false, kClickNotice);
        QVERIFY(WindowOf(withoutBox)->isVisible());
        QVERIFY(!Child(withoutBox.QmlObject(), "checkbox")->property("visible").toBool());
    }

    void windowIsReleasedLaterWithItsController()
    {
        auto dialog = std::make_unique<DialogController>("Message", "Title", 0, nullptr, engine.get());
        QPointer<QObject> window = dialog->QmlObject();
        dialog.reset();
        QVERIFY(window);
        DeliverDeferredDeletes();
        QVERIFY(!window);
    }

private:
    std::unique_ptr<QQmlEngine> engine;
    QString settingsPath;
    std::shared_ptr<AppSettings> settings;
};

QTEST_MAIN(TestDialogController)
#include "test_dialog_controller.moc"
