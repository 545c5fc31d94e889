#include "app/message_box.h"

#include <QQuickItem>
#include <QtTest>

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void eachReportOpensItsOwnWindow()
    {
        QPointer<QQuickView> first = vemo::qt::OpenMessageBox("Click edits were modified.");
        QPointer<QQuickView> second = vemo::qt::OpenMessageBox("Tempo scale warning\nsecond line");
        QVERIFY(first && second);
        QVERIFY(first != second);
        QVERIFY(first->engine() != second->engine());
        for (const auto& [view, text] : {std::pair{first, QString("Click edits were modified.")},
                                         std::pair{second, QString("Tempo scale warning\nsecond line")}}) {
            QCOMPARE(view->status(), QQuickView::Ready);
            QVERIFY(view->isVisible());
            QCOMPARE(view->size(), QSize(500, 500));
            QCOMPARE(view->title(), QString());
            QCOMPARE(view->rootObject()->property("text").toString(), text);
        }

        first->close();
        QVERIFY(first);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QVERIFY(second);
        QVERIFY(second->isVisible());
        delete second;
    }
};

QTEST_MAIN(TestMessageBox)
#include "test_message_box.moc"
