#include <QTest>

class TestHostileService : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestHostileService)
#include "test_hostile_service.moc"
