// The window as the window tests drive it: a main form over a settings store in a temporary
// folder (never the user's own) and fake dialogs, with lookups of its named children.
#pragma once

#include "FakeDialogs.h"
#include "app/TMainForm.h"
#include "controls/TWindowBox.h"

#include <QAction>
#include <QLineEdit>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TMainFormHarness
{
  protected:
    QTemporaryDir Dir;
    std::unique_ptr<QSettings> Store;
    std::unique_ptr<TFakeDialogs> Dialogs;
    std::unique_ptr<TMainForm> Form;

    // A new window over empty settings, shown; false when it never became exposed (or, when
    // asked, active).
    bool StartForm(bool Active = false)
    {
        Store =
            std::make_unique<QSettings>(Dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        Store->clear();
        Dialogs = std::make_unique<TFakeDialogs>();
        Form = std::make_unique<TMainForm>(*Dialogs, *Store, u'.');
        Form->show();
        return Active ? QTest::qWaitForWindowActive(Form.get()) : QTest::qWaitForWindowExposed(Form.get());
    }

    template <class T> T* Child(const char* Name) { return Form->findChild<T*>(QString::fromLatin1(Name)); }
    QLineEdit* Edit(const char* Name) { return Child<QLineEdit>(Name); }
    QAction* Action(const char* Name) { return Child<QAction>(Name); }
    TWindowBox* Box() { return Child<TWindowBox>("WindowBox"); }
    // The four bound editors' texts: left, top, right, bottom.
    QStringList Bounds()
    {
        return {Edit("LeftEdt")->text(), Edit("TopEdt")->text(), Edit("RightEdt")->text(),
                Edit("BottomEdt")->text()};
    }
};
