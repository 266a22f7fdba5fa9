#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QString>

namespace vesk::test {

// Confirms `path` in a file chooser the way a user does who pastes it into the name
// field and presses the accept button. QFileDialog::selectFile is not used: it leaves
// the name field alone while that field has the keyboard focus, so its effect would
// depend on whether the chooser had become the active window yet.
inline void enterPathInChooser(QFileDialog& chooser, const QString& path) {
    auto* name = chooser.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr) << "the chooser has no file name field";
    name->selectAll();
    name->insert(path);
    ASSERT_EQ(chooser.selectedFiles(), QStringList{path}) << "the chooser took another file";
    static_cast<QDialog&>(chooser).accept();
}

}  // namespace vesk::test
