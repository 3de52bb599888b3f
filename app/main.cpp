// PerceptLab: creates the application and the main window, then runs the
// event loop until the window closes.

#include "form1.h"
#include "guarded_application.h"
#include "regional_separators.h"

int main(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PerceptLab"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/perceptlab.png")));

    // Numbers are typed, shown and saved with the separator read here, once.
    TForm1 Form1(RegionalDecimalSeparator());
    Form1.show();
    return QApplication::exec();
}
