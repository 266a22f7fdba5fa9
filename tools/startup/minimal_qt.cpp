// The yardsticks for vesk-edit's start-up: one empty Qt Widgets window, or with --label
// the same window showing one line of Japanese text in the editor's font family, which
// adds what any window with such text pays for its fonts.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.resize(326, 216);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        const QStringList installed = QFontDatabase::families();
        QFont font(installed.contains(QStringLiteral("IPAPGothic"))
                       ? QStringLiteral("IPAPGothic")
                       : QStringLiteral("Noto Sans CJK JP"));
        font.setPointSize(9);
        window.setFont(font);
        auto* label = new QLabel(QStringLiteral("キャラ選択 : 000 : ハエおとこ"), &window);
        label->move(10, 10);
    }
    window.show();
    return QApplication::exec();
}
