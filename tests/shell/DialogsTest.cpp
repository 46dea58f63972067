#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "widgets/QtText.h"
#include "widgets/VariableWatchDialog.h"
#include "widgets/ConfirmDialog.h"
#include "widgets/InputDialog.h"
#include "widgets/AboutDialog.h"
#include "widgets/DeleteProceduresDialog.h"
#include "widgets/WidgetDialogs.h"
#include "support/Recorders.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <algorithm>

namespace mivarelo {

namespace {

void ClickRow(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// Once the next modal form is open, `answer` works it; a form of another
// kind is closed, so that the test fails instead of waiting.
template <class Form, class Answer> void AnswerNextModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* form = qobject_cast<Form*>(modal))
            answer(form);
        else if (modal)
            modal->close();
    });
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        ResetGlobals();
        QVERIFY(LoadLanguageModule());
    }

    void inputAnsweredWithEnterGivesTypedText() {
        InputDialog form;
        form.Prepare("Prosedür adı:", "eski", "Veri Girişi", "Tamam", "İptal");
        form.show();
        QTest::keyClicks(form.Edit1(), QStringLiteral("kare"));
        QCOMPARE(form.Value(), QStringLiteral("kare"));
        QTest::keyClick(form.Edit1(), Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QVERIFY(form.Accepted());
        QCOMPARE(form.Result(), QStringLiteral("kare"));
    }

    void inputClosedOrCancelledGivesInitialText() {
        InputDialog closed;
        closed.Prepare("Ad:", "eski", "Veri Girişi", "Tamam", "İptal");
        closed.show();
        QTest::keyClicks(closed.Edit1(), QStringLiteral("yeni"));
        closed.close();
        QCOMPARE(closed.Value(), QStringLiteral("yeni"));
        QCOMPARE(closed.Result(), QStringLiteral("eski"));

        InputDialog cancelled;
        cancelled.Prepare("Ad:", "eski", "Veri Girişi", "Tamam", "İptal");
        cancelled.show();
        QTest::keyClicks(cancelled.Edit1(), QStringLiteral("yeni"));
        QTest::mouseClick(cancelled.Button2(), Qt::LeftButton);
        QVERIFY(!cancelled.isVisible());
        QVERIFY(!cancelled.Accepted());
        QCOMPARE(cancelled.Result(), QStringLiteral("eski"));
    }

    void inputLayoutFollowsThePrompt_data() {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("ok");
        QTest::newRow("long") << "Prosedürün argümanlarının değerlerini virgülle ayırarak girin:"
                              << "Tamam";
        QTest::newRow("short") << ""
                               << "Uzun bir onay düğmesi yazısı";
    }

    void inputLayoutFollowsThePrompt() {
        QFETCH(QString, prompt);
        QFETCH(QString, ok);
        InputDialog form;
        form.Prepare(prompt, "", "Veri Girişi", ok, "İptal");
        const QLabel* label = form.Label1();
        const QRect edit = form.Edit1()->geometry();
        const QRect b1 = form.Button1()->geometry();
        const QRect b2 = form.Button2()->geometry();
        QCOMPARE(label->x(), 24);
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(prompt));
        QCOMPARE(edit.x(), label->x() + label->width() + 5);
        const int b = b1.width() + b2.width();
        QCOMPARE(form.width(), std::max(b + 35, edit.x() + edit.width() + 30));
        QCOMPARE(b1.x(), (form.width() - b - 5) / 2);
        QCOMPARE(b2.x(), b1.x() + b1.width() + 5);
        QVERIFY(b1.width() >= form.Button1()->fontMetrics().horizontalAdvance(ok));
        QVERIFY(b1.top() > edit.bottom());
        QVERIFY(b1.bottom() < form.height());
        if (prompt.isEmpty())
            QCOMPARE(form.width(), b + 35);
        else
            QCOMPARE(form.width(), edit.x() + edit.width() + 30);
    }

    void confirmWidthFollowsTheMessage() {
        ConfirmDialog wide;
        wide.Prepare(
            "Program değiştirildi. Kapatmadan önce değişiklikleri kaydetmek ister misiniz?",
            "Teyit", "Evet", "Hayır", "İptal");
        const QLabel* label = wide.Label1();
        QCOMPARE(label->x(), 10);
        QVERIFY(label->x() + label->width() + 20 > 300);
        QCOMPARE(wide.width(), label->x() + label->width() + 20);
        QCOMPARE(wide.Button1()->x(), (wide.width() - 275) / 2);
        QCOMPARE(wide.Button2()->x(), wide.Button1()->x() + wide.Button1()->width() + 20);
        QCOMPARE(wide.Button3()->x(), wide.Button2()->x() + wide.Button2()->width() + 20);

        ConfirmDialog narrow;
        narrow.Prepare("Kaydet?", "Teyit", "Evet", "Hayır", "İptal");
        QCOMPARE(narrow.width(), 300);
        QCOMPARE(narrow.Button1()->x(), (300 - 275) / 2);
        QVERIFY(narrow.Button1()->y() > narrow.Label1()->geometry().bottom());
    }

    void confirmEmptyCaptionsKeepDefaultsAndButtonsAnswer() {
        ConfirmDialog form;
        form.Prepare("Silinsin mi?", "Teyit", "", "Silme", "");
        QCOMPARE(form.Button1()->text(), QStringLiteral("Evet"));
        QCOMPARE(form.Button2()->text(), QStringLiteral("Silme"));
        QCOMPARE(form.Button3()->text(), QStringLiteral("İptal"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Teyit"));

        const QList<QPair<int, int>> answers = {{1, 1}, {2, 0}, {3, -1}};
        for (const auto& [button, answer] : answers) {
            ConfirmDialog asked;
            asked.Prepare("Silinsin mi?", "Teyit", "", "", "");
            asked.show();
            QPushButton* buttons[] = {asked.Button1(), asked.Button2(), asked.Button3()};
            QTest::mouseClick(buttons[button - 1], Qt::LeftButton);
            QVERIFY(!asked.isVisible());
            QCOMPARE(asked.Answer(), answer);
        }

        // Closing the form by its frame or with Escape is Cancel.
        ConfirmDialog closed;
        closed.Prepare("Silinsin mi?", "Teyit", "", "", "");
        closed.show();
        closed.close();
        QCOMPARE(closed.Answer(), -1);
        ConfirmDialog escaped;
        escaped.Prepare("Silinsin mi?", "Teyit", "", "", "");
        escaped.show();
        QTest::keyClick(&escaped, Qt::Key_Escape);
        QVERIFY(!escaped.isVisible());
        QCOMPARE(escaped.Answer(), -1);
    }

    void deletionNeedsASelection() {
        support::RecordingNotifier notifier;
        DeleteProceduresDialog form;
        form.Prepare({"kare", "üçgen", "çiçek"});
        QCOMPARE(form.GroupBox1()->title(), LanguageText(7813));
        QCOMPARE(form.windowTitle(), LanguageText(7814));
        QCOMPARE(form.Button1()->text(), LanguageText(7815));
        QCOMPARE(form.Button2()->text(), LanguageText(7809));
        QVERIFY(!form.windowTitle().isEmpty());
        QCOMPARE(form.ListBox1()->count(), 3);
        QVERIFY(form.ListBox1()->selectedItems().isEmpty());
        form.show();

        // Enter on the fresh dialog deletes nothing.
        QTest::keyClick(&form, Qt::Key_Return);
        QCOMPARE(notifier.beeps, 1);
        QVERIFY(form.isVisible());
        QCOMPARE(form.ChosenIndex(), -1);

        ClickRow(form.ListBox1(), 2);
        QTest::mouseClick(form.Button1(), Qt::LeftButton);
        QCOMPARE(notifier.beeps, 1);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.ChosenIndex(), 2);

        DeleteProceduresDialog cancelled;
        cancelled.Prepare({"kare", "üçgen"});
        cancelled.show();
        QTest::mouseClick(cancelled.Button2(), Qt::LeftButton);
        QVERIFY(!cancelled.isVisible());
        QCOMPARE(cancelled.ChosenIndex(), -1);
    }

    void variableWatchSelectsTheSameRowInBothLists() {
        VariableWatchDialog form;
        form.Prepare({"uzunluk", "yabci", "x"}, {"40.0", "360.0", "5.0"});
        QCOMPARE(form.Label1()->text(), LanguageText(7810));
        QCOMPARE(form.Label2()->text(), LanguageText(7811));
        QCOMPARE(form.windowTitle(), LanguageText(7812));
        form.show();
        QListWidget* names = form.ListBox1();
        QListWidget* values = form.ListBox2();
        QCOMPARE(names->geometry().top(), values->geometry().top());
        QVERIFY(values->x() >= names->geometry().right() - 1);
        QCOMPARE(values->item(1)->text(), QStringLiteral("360.0"));

        ClickRow(values, 2);
        QCOMPARE(names->currentRow(), 2);
        QCOMPARE(values->currentRow(), 2);
        ClickRow(names, 1);
        QCOMPARE(values->currentRow(), 1);
        QCOMPARE(names->currentRow(), 1);
    }

    void aboutBoxShowsTitleAndCloses() {
        AboutDialog form;
        form.Prepare("Mivarelo");
        form.show();
        QCOMPARE(form.Label1()->text(), QStringLiteral("Mivarelo"));
        QCOMPARE(form.Button1()->text(), LanguageText(7815));
        QVERIFY(form.width() >= 747);
        QVERIFY(form.height() >= 315);
        QTest::mouseClick(form.Button1(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    // The real dialogs run their forms modally: a timer answers the form.
    void widgetDialogsRunTheFormsModally() {
        WidgetDialogs dialogs;
        AnswerNextModal<InputDialog>([](InputDialog* form) {
            QTest::keyClicks(form->Edit1(), QStringLiteral("kare"));
            QTest::keyClick(form->Edit1(), Qt::Key_Enter);
        });
        QCOMPARE(dialogs.AskText("Ad:", "", "Veri Girişi", "Tamam", "İptal"),
                 QStringLiteral("kare"));

        AnswerNextModal<ConfirmDialog>(
            [](ConfirmDialog* form) { QTest::mouseClick(form->Button3(), Qt::LeftButton); });
        QCOMPARE(dialogs.AskYesNoCancel("Kaydet?", "Teyit", "", "", ""), -1);

        AnswerNextModal<DeleteProceduresDialog>([](DeleteProceduresDialog* form) {
            ClickRow(form->ListBox1(), 1);
            QTest::mouseClick(form->Button1(), Qt::LeftButton);
        });
        QCOMPARE(dialogs.ChooseProcedure({"kare", "üçgen"}), 1);
    }
};

} // namespace mivarelo

QTEST_MAIN(mivarelo::DialogsTest)
#include "DialogsTest.moc"
