#include "app/qml_controller.h"

#include <vemo_test/qml_engine.h>

#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <memory>
#include <stdexcept>

using vemo::qt::QmlController;
using vemo::testing::DeliverDeferredDeletes;

namespace {

const QUrl kItemRoot("qrc:/test_qml/ItemRoot.qml");
const QUrl kWindowRoot("qrc:/test_qml/WindowRoot.qml");

} // namespace

class TestQmlController : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        engine = vemo::testing::MakeQmlEngine();
    }

    void cleanup()
    {
        DeliverDeferredDeletes();
        engine.reset();
    }

    void rootIsPlacedUnderItsParent_data()
    {
        QTest::addColumn<QUrl>("document");
        QTest::addColumn<QString>("parentKind");
        for (const auto& [document, rootName] : {std::pair{kItemRoot, "item"}, std::pair{kWindowRoot, "window"}}) {
            for (const char* parentKind : {"none", "item", "window"}) {
                QTest::addRow("%s root, %s parent", rootName, parentKind) << document << QString(parentKind);
            }
        }
    }

    void rootIsPlacedUnderItsParent()
    {
        QFETCH(QUrl, document);
        QFETCH(QString, parentKind);
        QQuickWindow parentWindow;
        QQuickWindow itemWindow;
        QQuickItem parentItem(itemWindow.contentItem());
        QObject* parent = parentKind == "item"     ? static_cast<QObject*>(&parentItem)
                          : parentKind == "window" ? static_cast<QObject*>(&parentWindow)
                                                   : nullptr;

        QmlController controller(engine.get(), document, parent, true, {});
        QObject* root = controller.QmlObject();
        QVERIFY(root != nullptr);
        QCOMPARE(root->parent(), parent);

        if (auto* item = qobject_cast<QQuickItem*>(root)) {
            QQuickItem* expectedParentItem = parentKind == "item"     ? &parentItem
                                             : parentKind == "window" ? parentWindow.contentItem()
                                                                      : nullptr;
            QCOMPARE(item->parentItem(), expectedParentItem);
        } else {
            auto* window = qobject_cast<QQuickWindow*>(root);
            QVERIFY(window != nullptr);
            QWindow* expectedTransientParent = parentKind == "window" ? &parentWindow : nullptr;
            QCOMPARE(window->transientParent(), expectedTransientParent);
        }
        delete root;
    }

    void initialPropertiesAreSetBeforeCompletion()
    {
        QmlController controller(engine.get(), kItemRoot, nullptr, true, {{"initial", 42}});
        QVERIFY(controller.QmlObject() != nullptr);
        QCOMPARE(controller.QmlObject()->property("seenAtCompletion").toInt(), 42);
        QCOMPARE(controller.X(), 5);
        QCOMPARE(controller.Right(), 35);
        controller.SetZ(3);
        QCOMPARE(qobject_cast<QQuickItem*>(controller.QmlObject())->z(), 3.0);
        controller.SetVisible(false);
        QCOMPARE(controller.QmlObject()->property("visible").toBool(), false);
    }

    void documentThatDoesNotLoadLeavesNoRoot_data()
    {
        QTest::addColumn<QUrl>("document");
        QTest::newRow("missing file") << QUrl("qrc:/test_qml/Missing.qml");
        QTest::newRow("syntax error") << QUrl("qrc:/test_qml/Broken.qml");
    }

    void documentThatDoesNotLoadLeavesNoRoot()
    {
        QFETCH(QUrl, document);
        QmlController controller(engine.get(), document, nullptr, true, {});
        QCOMPARE(controller.QmlObject(), nullptr);
        ExpectError([&] { controller.SetVisible(true); }, "Cannot Set QML Object visible. Qml Object is null.");
        ExpectError([&] { controller.X(); }, "Cannot read QML Object x. Qml Object is null.");
        ExpectError([&] { controller.Right(); }, "Cannot read QML Object right. Qml Object is null.");
        ExpectError([&] { controller.SetZ(1); }, "Cannot Set QML Object z. Qml Object is null.");
    }

    void windowRootHasNoZ()
    {
        QmlController controller(engine.get(), kWindowRoot, nullptr, true, {});
        ExpectError([&] { controller.SetZ(1); }, "Cannot Set QML Object z. Qml Object is not an item.");
    }

    void ownedRootDiesOnlyWhenDeferredDeletesAreDelivered()
    {
        auto controller = std::make_unique<QmlController>(engine.get(), kItemRoot, nullptr, true, QVariantMap{});
        QPointer<QObject> root = controller->QmlObject();
        controller.reset();
        QVERIFY(root);
        DeliverDeferredDeletes();
        QVERIFY(!root);
    }

    void closingReleasesAnOwnedRoot()
    {
        QmlController controller(engine.get(), kWindowRoot, nullptr, true, {});
        QPointer<QObject> root = controller.QmlObject();
        controller.Closing_(nullptr);
        QCOMPARE(controller.QmlObject(), nullptr);
        QVERIFY(root);
        DeliverDeferredDeletes();
        QVERIFY(!root);
    }

    void unownedRootIsLeftAlone()
    {
        QQuickItem existing;
        QPointer<QObject> created;
        {
            QmlController wrapping(&existing, engine.get());
            wrapping.Closing_(nullptr);
            QCOMPARE(wrapping.QmlObject(), &existing);
            QmlController notOwning(engine.get(), kItemRoot, nullptr, false, {});
            created = notOwning.QmlObject();
        }
        DeliverDeferredDeletes();
        QVERIFY(created);
        delete created;
    }

    void wrappingAcceptsNoEngine()
    {
        QQuickItem existing;
        QmlController controller(&existing, nullptr);
        QCOMPARE(controller.QmlObject(), &existing);
        controller.SetVisible(false);
        QVERIFY(!existing.isVisible());
    }

    void rootDeletedWithItsParentIsNotReleasedAgain()
    {
        auto parent = std::make_unique<QQuickItem>();
        QmlController controller(engine.get(), kItemRoot, parent.get(), true, {});
        QVERIFY(controller.QmlObject() != nullptr);
        parent.reset();
        QCOMPARE(controller.QmlObject(), nullptr);
        controller.Closing_(nullptr);
    }

private:
    template <typename Call>
    void ExpectError(Call call, const char* text)
    {
        try {
            call();
            QFAIL("no exception");
        } catch (const std::runtime_error& e) {
            QCOMPARE(QString(e.what()), QString(text));
        }
    }

    std::unique_ptr<QQmlEngine> engine;
};

QTEST_MAIN(TestQmlController)
#include "test_qml_controller.moc"
