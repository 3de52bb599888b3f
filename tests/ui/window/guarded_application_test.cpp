// SPDX-License-Identifier: GPL-3.0-or-later
// An error that reaches the event loop from anywhere is shown in the error
// box, and the program goes on handling events.

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
    void Show(const QString& message) override { messages << message; }
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
        QCOMPARE(box.messages, QStringList{"Cannot open file /tmp/x.rna."});
        QCOMPARE(target.handled, 2);
    }

    // The real boxes: a line of a file or a path holding markup shows as written.
    void boxesShowTheirMessageAsPlainText() {
        QStringList shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown << (box->textFormat() == Qt::PlainText ? "plain: " : "rich: ") + box->text();
                box->accept();
            }
        });
        poll.start(10);
        ReportError(ProgramError("'<b>no</b><img src='x'>' is not a valid integer value"));
        QtInfoBox().Show(nullptr, "El fichero de patrones /r/<b>x</b>.rna");
        QCOMPARE(shown, (QStringList{"plain: '<b>no</b><img src='x'>' is not a valid integer value.",
                                     "plain: El fichero de patrones /r/<b>x</b>.rna"}));
    }
};

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    GuardedApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "guarded_application_test.moc"
