// SPDX-License-Identifier: GPL-3.0-or-later
// An error that reaches the event loop from anywhere is shown in the error
// box, and the program goes on handling events.

#include "error_explanation.h"
#include "error_report.h"
#include "guarded_application.h"
#include "info_box.h"
#include "program_error.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

class RecordingErrorBox : public ErrorBox {
public:
    void Show(const QString& message, const QString& explanation) override { messages << message + "\n" + explanation; }
    QStringList messages;
};

// Fails on its first user event; counts the ones it handles.
class Failing : public QObject {
public:
    int handled = 0;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        if (handled++ == 0) throw ProgramError("Cannot open file /tmp/x.rna");
        return true;
    }
};

}  // namespace

class GuardedApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void errorReachingTheEventLoopIsShownAndTheProgramGoesOn() {
        RecordingErrorBox box;
        SetErrorBox(&box);
        Failing target;
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        SetErrorBox(nullptr);
        QCOMPARE(box.messages,
                 QStringList{"Cannot open file /tmp/x.rna.\n" + ErrorExplanation("Cannot open file /tmp/x.rna")});
        QCOMPARE(target.handled, 2);
    }

    // The real boxes: a line of a file or a path holding markup shows as written.
    void boxesShowTheirMessageAsPlainText() {
        QStringList shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown << (box->textFormat() == Qt::PlainText ? "plain: " : "rich: ") + box->text();
                if (!box->informativeText().isEmpty()) shown << box->informativeText();
                box->accept();
            }
        });
        poll.start(10);
        ReportError(ProgramError("'<b>no</b><img src='x'>' is not a valid integer value"));
        QtInfoBox().Show(nullptr, "El fichero de patrones /r/<b>x</b>.rna");
        QCOMPARE(shown, (QStringList{"plain: '<b>no</b><img src='x'>' is not a valid integer value.",
                                     ErrorExplanation("'' is not a valid integer value"),
                                     "plain: El fichero de patrones /r/<b>x</b>.rna"}));
    }

    // Each kind of English message has its own Spanish sentence, whatever
    // it quotes; the entry fields' Spanish messages, and texts that only
    // begin like a kind, have none.
    void eachEnglishMessageKindIsExplainedInSpanish() {
        const QStringList english{"Cannot open file /r/x.rna",
                                  "Cannot create file /r/x.ren",
                                  "'Cannot open file' is not a valid integer value",
                                  "'' is not a valid floating point value",
                                  "'101' is not a valid pattern count",
                                  "List index out of bounds (16)",
                                  "Floating point overflow"};
        QStringList sentences;
        for (const QString& message : english) {
            const QString sentence = ErrorExplanation(message.toStdString());
            QVERIFY2(sentence.endsWith('.') && !sentences.contains(sentence), qPrintable(message));
            sentences << sentence;
        }
        QCOMPARE(sentences[0].left(29), QString("No se pudo abrir el fichero: "));
        for (const char* none : {"No se admiten números negativos", "'", "List index out of bounds", "Floating point overflows"})
            QVERIFY2(ErrorExplanation(none).isEmpty(), none);
    }
};

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    GuardedApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "guarded_application_test.moc"
