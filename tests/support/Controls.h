#pragma once

#include "platform/CDialogBuilder.h"

#include <QImage>
#include <QString>
#include <QTest>
#include <QWidget>

// The control of a dialog template with the given id, or nullptr after failing the test
// with a message that names the control. Callers still check the result:
//     auto* search = ControlById<QAbstractButton>(dialog, res::IDC_SEARCH);
//     QVERIFY(search);
template <class T = QWidget> T* ControlById(const QWidget& root, int id) {
    T* control = root.findChild<T*>(CDialogBuilder::ObjectNameOf(id));
    if (!control) {
        const QString message = QStringLiteral("%1 has no control %2 that is a %3")
                                    .arg(QString::fromLatin1(root.metaObject()->className()))
                                    .arg(id)
                                    .arg(QString::fromLatin1(T::staticMetaObject.className()));
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    }
    return control;
}

// What the widget paints, as 32-bit RGB pixels a test can compare.
inline QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
