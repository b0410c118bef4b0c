// Torvi tests: typing into the main window's address box, as a user does.
#pragma once

#include "app/qt/frm_main.h"
#include "ui/qt/address_line_edit.h"

#include <QtTest>

namespace torvi::test {

inline void typeAddress(frmMain &window, const QString &text)
{
    window.Text1->clear();
    QTest::keyClicks(window.Text1, text);
    QTest::keyClick(window.Text1, Qt::Key_Return);
}

} // namespace torvi::test
