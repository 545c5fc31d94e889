#include "vemo_ui/controllers/about_window_controller.h"
#include "vemo_ui/controllers/acknowledgements_window_controller.h"

#include <vemo_test/qml_engine.h>
#include <vemo_test/test_environment.h>

#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStringDecoder>
#include <QtTest>

#include <memory>

using vemo::qt::AboutWindowController;
using vemo::qt::AcknowledgementsWindowController;
using namespace vemo::testing;

namespace {

const QString kShippedText = ":/qt/qml/com/quorvane/tolbrin2_ui/resources/text/acknowledgements.txt";
const QString kMissingText = ":/qt/qml/com/quorvane/tolbrin2_ui/resources/text/missing.txt";

// The acknowledgements windows that are alive now.
QList<QQuickWindow*> AcknowledgementsWindows()
{
    DeliverDeferredDeletes();
    QList<QQuickWindow*> windows;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (auto* quickWindow = qobject_cast<QQuickWindow*>(window);
            quickWindow != nullptr && quickWindow->property("acknowledgementText").isValid()) {
            windows.append(quickWindow);
        }
    }
    return windows;
}

QString WriteFile(const QString& name, const QByteArray& content)
{
    const QString path = QString::fromStdString((TestRoot() / name.toStdString()).string());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QString ReadShippedText()
{
    QFile file(kShippedText);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestAboutWindowController : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        engine = MakeQmlEngine();
        QQmlComponent component(engine.get());
        component.setData("import QtQuick; import com.quorvane.vemo_ui\n"
                          "Window { width: 800; height: 600; visible: true\n"
                          "    property alias about: about\n"
                          "    AboutWindow { id: about; objectName: 'about' } }",
                          QUrl("file:///host/MainWindow.qml"));
        host.reset(qobject_cast<QQuickWindow*>(component.create()));
        QVERIFY2(host, qPrintable(component.errorString()));
        about = host->property("about").value<QObject*>();
        QVERIFY(about);
    }

    void cleanup()
    {
        controller.reset();
        host.reset();
        DeliverDeferredDeletes();
        engine.reset();
    }

    void withoutValuesTheVersionIsUnknown()
    {
        QVERIFY(Open());
        QCOMPARE(Child(about, "versionText")->property("text").toString(),
                 QString("Version See Installation File for Version Info"));
        QCOMPARE(Child(about, "versionIdentifierText")->property("text").toString(), QString());
    }

    void productValuesFillTheWindowOnce()
    {
        controller = std::make_unique<AboutWindowController>(about, engine.get(), "2.14.0",
                                                             "qrc:/images/tolbrin_logo_light_long", kShippedText, "");
        QVERIFY(Open());
        QCOMPARE(Child(about, "versionText")->property("text").toString(), QString("Version 2.14.0"));
        QObject* identifier = Child(about, "versionIdentifierText");
        QCOMPARE(identifier->property("text").toString(), QString());
        QVERIFY(identifier->property("font").value<QFont>().italic());
        QObject* logo = Child(about, "logo");
        QCOMPARE(logo->property("source").toUrl(), QUrl("qrc:/images/tolbrin_logo_light_long"));
        QTRY_COMPARE(logo->property("status").toInt(), 1); // Image.Ready
        QVERIFY(about->property("linkUrl").toString().startsWith("https://"));
        QVERIFY(about->property("copyRight").toString().contains("Quorvane"));
    }

    void openAndEscape()
    {
        QVERIFY(Activate(host.get()));
        QMetaObject::invokeMethod(about, "open");
        QObject* popup = Child(about, "popup");
        QTRY_VERIFY(popup->property("opened").toBool());
        QTest::keyClick(host.get(), Qt::Key_Escape);
        QTRY_VERIFY(!popup->property("visible").toBool());
    }

    void eachRequestLeavesOneFreshWindow()
    {
        controller = std::make_unique<AboutWindowController>(about, engine.get(), "2.14.0",
                                                             "qrc:/images/tolbrin_logo_light_long", kShippedText, "");
        QVERIFY(AcknowledgementsWindows().isEmpty());
        QMetaObject::invokeMethod(about, "acknowledgementsClicked");
        QCOMPARE(AcknowledgementsWindows().size(), 1);
        QPointer<QQuickWindow> first = AcknowledgementsWindows().first();
        QVERIFY(first->isVisible());
        first->close();
        QVERIFY(first);
        QMetaObject::invokeMethod(about, "acknowledgementsClicked");
        const QList<QQuickWindow*> windows = AcknowledgementsWindows();
        QVERIFY(!first);
        QCOMPARE(windows.size(), 1);
        QQuickWindow* second = windows.first();
        QVERIFY(second->isVisible());
        QCOMPARE(second->transientParent(), nullptr);
        QCOMPARE(second->modality(), Qt::ApplicationModal);
        QCOMPARE(second->property("acknowledgementText").toString(), ReadShippedText());

        controller.reset();
        QVERIFY(AcknowledgementsWindows().isEmpty());
        QVERIFY(about);
    }

    void textFromTheResource_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("missing") << kMissingText << "Error: Unable to Load Acknowledgements.";
        QTest::newRow("empty") << WriteFile("empty.txt", "") << "";
        QTest::newRow("invalid UTF-8") << WriteFile("broken.txt", "Caf\xc3 \xff\xfe end") << "Caf\uFFFD \uFFFD\uFFFD end";
        QTest::newRow("CR LF") << WriteFile("crlf.txt", "one\r\ntwo\r\n") << "one\ntwo\n";
    }

    void textFromTheResource()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        AcknowledgementsWindowController window(about, engine.get(), path);
        QObject* root = window.QmlObject();
        QVERIFY(root);
        QCOMPARE(root->property("acknowledgementText").toString(), shown);
        QCOMPARE(Child(root, "textArea")->property("text").toString(), shown);
        QVERIFY(root->property("visible").toBool());
        QCOMPARE(qobject_cast<QQuickWindow*>(root)->transientParent(), nullptr);
    }

    // The shipped text: UTF-8 with LF line ends, an empty first line, one section per component (its name,
    // an empty line, its notices and licence), separated by 40 hyphens with an empty line on each side.
    void shippedTextFollowsTheForm()
    {
        QFile file(kShippedText);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(!text.contains('\r'));
        QVERIFY(text.startsWith("\n"));
        QVERIFY(text.endsWith("\n"));

        const QString separator = "\n\n" + QString(40, '-') + "\n\n";
        const QStringList sections = text.mid(1).split(separator);
        QStringList names;
        for (const QString& section : sections) {
            const QStringList lines = section.split('\n');
            QVERIFY(lines.size() > 3);
            QVERIFY(!lines[0].trimmed().isEmpty());
            QVERIFY(lines[1].isEmpty());
            QVERIFY(!lines[2].isEmpty());
            QVERIFY2(!lines.contains(QString(40, '-')), qPrintable(lines[0]));
            names.append(lines[0]);
        }
        // Everything compiled or linked into the program.
        QCOMPARE(names, (QStringList{"tsl::ordered_map", "Qt 6", "RapidJSON", "libarchive", "libgcrypt",
                                     "libgpg-error"}));
        const QString qt = sections[1];
        for (const char* part : {"Qt Core", "Qt GUI", "Qt Network", "Qt QML", "Qt Quick", "Qt Quick Controls",
                                 "Qt SVG", "Qt5Compat.GraphicalEffects", "GNU Lesser General Public License"}) {
            QVERIFY2(qt.contains(part), part);
        }
        QVERIFY(!text.contains("/usr/share/common-licenses"));
    }

private:
    // The window's contents are made when it first opens.
    bool Open()
    {
        QMetaObject::invokeMethod(about, "open");
        return QTest::qWaitFor([this] { return Child(about, "popup")->property("opened").toBool(); });
    }

    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> host;
    QObject* about = nullptr;
    std::unique_ptr<AboutWindowController> controller;
};

QTEST_MAIN(TestAboutWindowController)
#include "test_about_window_controller.moc"
