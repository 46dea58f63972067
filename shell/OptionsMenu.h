#pragma once
// What the Options menu does: the command dialect the program is written
// in, the interface language, the turtle's look, the turn command, the
// screen colour, the variables, a colour written into the editor, the
// precise turtle and the switches the interpreter reads.
#include <QObject>

namespace mivarelo {

class MainWindow;

class OptionsMenu : public QObject {
    Q_OBJECT
public:
    explicit OptionsMenu(MainWindow& window);

    void ConnectActions();
    // Rewrites the program into a dialect: Turkish or English, long or short.
    void SetDialect(bool turkish, bool isLong);
    void SetInterfaceLanguage(bool english);
    // 0 and 1 the two turtle pictures, 3 the circle, 4 a picture the user
    // chooses (asked for here).
    void SetTurtleLook(int look);
    // 0 SetH, 1 Closest, 2 Left, 3 Right.
    void SetTurnCommandType(int type);

private:
    void ConnectPreciseTurtle();
    void ChooseScreenColour();
    void ShowVariables();
    void InsertColour();

    MainWindow& window_;
};

} // namespace mivarelo
