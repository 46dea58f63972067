#include "shell/MainActions.h"

#include "shell/QtText.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace mivarelo {

MainActions::MainActions(QMenuBar* bar, QObject* owner) : owner_(owner) {
    BuildFileMenu(bar);
    BuildProcedureMenu(bar);
    BuildOptionsMenu(bar);
    BuildModesMenu(bar);
    BuildHelpMenu(bar);
}

QAction* MainActions::Add(QMenu* menu, int id, const char* caption, bool checkable) {
    auto* action = new QAction(QString::fromUtf8(caption), owner_);
    action->setCheckable(checkable);
    menu->addAction(action);
    if (id) captions_.append({action, id});
    return action;
}

QMenu* MainActions::AddMenu(QMenuBar* bar, QMenu* parent, int id, const char* caption) {
    QMenu* menu = parent ? parent->addMenu(QString::fromUtf8(caption))
                         : bar->addMenu(QString::fromUtf8(caption));
    captions_.append({menu, id});
    return menu;
}

QActionGroup* MainActions::Group(std::initializer_list<QAction*> actions) {
    auto* group = new QActionGroup(owner_);
    for (QAction* action : actions) {
        action->setCheckable(true);
        group->addAction(action);
    }
    return group;
}

void MainActions::BuildFileMenu(QMenuBar* bar) {
    Dosya1 = AddMenu(bar, nullptr, 7401, "File");
    AcAction = Add(Dosya1, 7402, "Open File");
    AcAction->setShortcut(QKeySequence::Open);
    KaydetAction = Add(Dosya1, 7403, "Save File");
    KaydetAction->setShortcut(QKeySequence::Save);
    ResetAction = Add(Dosya1, 7404, "Reset");
    ResetAction->setShortcut(Qt::Key_F10);
    OrneklerMenu = AddMenu(bar, Dosya1, 7910, "Examples");
    Dosya1->addSeparator();
    YazYn1 = AddMenu(bar, Dosya1, 7405, "Print Orientation");
    Yatay1 = Add(YazYn1, 7407, "Landscape");
    Dikey1 = Add(YazYn1, 7408, "Portrait");
    Group({Yatay1, Dikey1});
    Yatay1->setChecked(true);
    YazTipi1 = AddMenu(bar, Dosya1, 7406, "Print Type");
    Oransal1 = Add(YazTipi1, 7409, "Proportional");
    Aynen1 = Add(YazTipi1, 7410, "As It Is");
    EkranaUydur1 = Add(YazTipi1, 7411, "Fit To Screen");
    Group({Oransal1, Aynen1, EkranaUydur1});
    Oransal1->setChecked(true);
    YazdirResimAction = Add(Dosya1, 7463, "Print");
    YazdirResimAction->setShortcut(QKeySequence::Print);
    PrintPreviewAction = Add(Dosya1, 7461, "Print Preview");
    ExportPngAction = Add(Dosya1, 7740, "Export Picture as PNG…");
    ExportSvgAction = Add(Dosya1, 7741, "Export Picture as SVG…");
    idleActions_ << ExportPngAction << ExportSvgAction;
    ExportPdfAction = Add(Dosya1, 7462, "Export as PDF");
    ExportHtmlAction = Add(Dosya1, 7820, "Export Program as HTML...");
    PrintProgramAction = Add(Dosya1, 7821, "Print Program...");
    Dosya1->addSeparator();
    CikAction = Add(Dosya1, 7412, "Exit");
    CikAction->setShortcut(QKeySequence::Quit);
    MRUSeparator = Dosya1->addSeparator();
    for (int i = 0; i < 5; ++i) {
        QAction* entry = Dosya1->addAction(QString());
        entry->setVisible(false);
        MRU << entry;
    }
    MRUSeparator->setVisible(false);
    idleActions_ << AcAction << KaydetAction << ResetAction << OrneklerMenu->menuAction()
                 << YazdirResimAction << PrintPreviewAction << ExportPdfAction << CikAction;
    idleActions_ << ExportHtmlAction << PrintProgramAction;
    idleActions_ << MRU;
}

void MainActions::BuildProcedureMenu(QMenuBar* bar) {
    Prosedur1 = AddMenu(bar, nullptr, 7413, "Procedure");
    DurDurAction = Add(Prosedur1, 7414, "Stop");
    DurDurAction->setShortcut(Qt::Key_F8);
    EkleProsedurAction = Add(Prosedur1, 7415, "Add Procedur");
    EkleProsedurAction->setShortcut(Qt::Key_F3);
    DoAction = Add(Prosedur1, 7416, "Run Procedur");
    DoAction->setShortcut(Qt::Key_F2);
    ProsedurSilmeAction = Add(Prosedur1, 7417, "Delete Procedur");
    ArgumanGirAction = Add(Prosedur1, 7418, "Enter Argumans");
    ProsedurIsimAction = Add(Prosedur1, 7419, "Rename Procedur");
    idleActions_ << EkleProsedurAction << DoAction << ProsedurSilmeAction << ArgumanGirAction
                 << ProsedurIsimAction;
    BuildRunSpeedMenu(bar);
}

// F5 and F6 are free in every mode: no command or window uses them.
void MainActions::BuildRunSpeedMenu(QMenuBar* bar) {
    Prosedur1->addSeparator();
    PauseAction = Add(Prosedur1, 7766, "Pause", true);
    PauseAction->setShortcut(Qt::Key_F5);
    StepAction = Add(Prosedur1, 7768, "Step");
    StepAction->setShortcut(Qt::Key_F6);
    RunSpeedMenu = AddMenu(bar, Prosedur1, 7760, "Run Speed");
    FullSpeedAction = Add(RunSpeedMenu, 7761, "Full Speed");
    FastSpeedAction = Add(RunSpeedMenu, 7762, "Fast");
    NormalSpeedAction = Add(RunSpeedMenu, 7763, "Normal");
    SlowSpeedAction = Add(RunSpeedMenu, 7764, "Slow");
    StepSpeedAction = Add(RunSpeedMenu, 7765, "Step by Step");
    Group({FullSpeedAction, FastSpeedAction, NormalSpeedAction, SlowSpeedAction, StepSpeedAction});
    FullSpeedAction->setChecked(true);
}

void MainActions::BuildOptionsMenu(QMenuBar* bar) {
    Seenekler1 = AddMenu(bar, nullptr, 7420, "Options");
    KaplumbaaGrnm1 = AddMenu(bar, Seenekler1, 7421, "Turtle Apperance");
    Kaplum1 = Add(KaplumbaaGrnm1, 7422, "Turtle Image 1 ");
    Kaplum2 = Add(KaplumbaaGrnm1, 7423, "Turtle Image 2 ");
    Kaplum4 = Add(KaplumbaaGrnm1, 7424, "Circle");
    Kaplum5 = Add(KaplumbaaGrnm1, 7425, "Other Images");
    Group({Kaplum1, Kaplum2, Kaplum4, Kaplum5});
    DnKomut1 = AddMenu(bar, Seenekler1, 7426, "Turn Command Type");
    Donus1 = Add(DnKomut1, 7427, "SetH");
    Donus2 = Add(DnKomut1, 7428, "Closest");
    Donus3 = Add(DnKomut1, 7429, "Left");
    Donus4 = Add(DnKomut1, 7430, "Right");
    Group({Donus1, Donus2, Donus3, Donus4});
    GosterDegiskenAction = Add(Seenekler1, 7431, "Show Variables");
    FareTakipEt1 = Add(Seenekler1, 7432, "Trace Mouse", true);
    YnKullan1 = Add(Seenekler1, 7433, "Use Directions", true);
    SetEkranRenkAction = Add(Seenekler1, 7435, "Screen Colour");
    InsertColourAction = Add(Seenekler1, 7822, "Insert Colour...");
    Dil2 = AddMenu(bar, Seenekler1, 7436, "Language");
    English1 = Add(Dil2, 7437, "English");
    Turkce1 = Add(Dil2, 7438, "Turkish");
    Group({English1, Turkce1});
    Turkce1->setChecked(true);
    Dil1 = AddMenu(bar, Seenekler1, 7439, "Command Language Type");
    DoTurkceAction = Add(Dil1, 7440, "Turkish Long Commands");
    DoTurkceKisaAction = Add(Dil1, 7441, "Turkish Short Commands");
    DoIngilizceAction = Add(Dil1, 7442, "English Long Commands");
    DoIngilizceKisaAction = Add(Dil1, 7443, "English Short Commands");
    Group({DoTurkceAction, DoTurkceKisaAction, DoIngilizceAction, DoIngilizceKisaAction});
    Seenekler1->addSeparator();
    HatalardaDurAction = Add(Seenekler1, 7444, "Stop At Errors", true);
    HatalarGosterAction = Add(Seenekler1, 7445, "Show Errors", true);
    HatalarGosterAction->setChecked(true);
    HataDuzeltAction = Add(Seenekler1, 7446, "Auomatically Correct Errors", true);
    HataDuzeltAction->setChecked(true);
    BoslukKabulEtAction = Add(Seenekler1, 7447, "Accept Space", true);
    BoslukKabulEtAction->setChecked(true);
    HassasKaplumbagaAction = Add(Seenekler1, 7961, "Precise Turtle", true);
    Seenekler1->addSeparator();
    ZoomMenu = AddMenu(bar, Seenekler1, 7911, "Zoom");
    ZoomFitAction = Add(ZoomMenu, 7912, "Fit to Window");
    Zoom50Action = Add(ZoomMenu, 7913, "50 %");
    Zoom100Action = Add(ZoomMenu, 7914, "100 %");
    Zoom100Action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    Zoom200Action = Add(ZoomMenu, 7915, "200 %");
    ZoomMenu->addSeparator();
    ZoomInAction = Add(ZoomMenu, 7916, "Zoom In");
    ZoomInAction->setShortcut(QKeySequence::ZoomIn);
    ZoomOutAction = Add(ZoomMenu, 7917, "Zoom Out");
    ZoomOutAction->setShortcut(QKeySequence::ZoomOut);
    ZoomMenu->addSeparator();
    KeepInViewAction = Add(ZoomMenu, 7918, "Keep Drawing in View", true);
    idleActions_ << GosterDegiskenAction << SetEkranRenkAction << HatalardaDurAction
                 << HatalarGosterAction << HataDuzeltAction << BoslukKabulEtAction
                 << HassasKaplumbagaAction;
    idleActions_ << InsertColourAction;
}

void MainActions::BuildModesMenu(QMenuBar* bar) {
    Modlar1 = AddMenu(bar, nullptr, 7449, "Modes");
    DoNormalKomutAction = Add(Modlar1, 7450, "Command Mode");
    DoNormalKomutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    DoButonFormAction = Add(Modlar1, 7451, "Graphical  Mode");
    DoButonFormAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    Modlar1->addSeparator();
    HizliAction = Add(Modlar1, 7453, "Quick Commands", true);
    DurumCubuguAction = Add(Modlar1, 7454, "Show Statusbar", true);
    DurumCubuguAction->setChecked(true);
    InspectorAction = Add(Modlar1, 7769, "Variable Inspector", true);
    KomutPencereGosterAction = Add(Modlar1, 7456, "Show Command Window", true);
    KomutPencereGosterAction->setChecked(true);
    AcincaCalistirAction = Add(Modlar1, 7457, "Run When Opened", true);
    AcincaCalistirAction->setChecked(true);
    KurOnuAction = Add(Modlar1, 7459, "Set Default Software");
    RefreshScreen1 = Add(Modlar1, 7471, "Refresh Screen");
    CanUndoLastCommand1 = Add(Modlar1, 7472, "Can Undo Last Command", true);
    CanUndoLastCommand1->setChecked(true);
    idleActions_ << DoNormalKomutAction << DoButonFormAction << HizliAction << DurumCubuguAction
                 << KomutPencereGosterAction << AcincaCalistirAction << KurOnuAction;
}

void MainActions::BuildHelpMenu(QMenuBar* bar) {
    Yardm1 = AddMenu(bar, nullptr, 7466, "Help");
    Yardmindekiler1 = Add(Yardm1, 7468, "Contents");
    Yardmindekiler1->setShortcut(QKeySequence::HelpContents);
    YardmKomutlar1 = Add(Yardm1, 7469, "LOGO Commands");
    MIVARELOrnekler1 = Add(Yardm1, 7470, "MIVARELO Samples");
    Yardm1->addSeparator();
    Hakkinda1 = Add(Yardm1, 7467, "About MIVARELO");
    // F8 is shared: Stop while a program runs, the next error while none does.
    HatalarGosterF8 = new QAction(owner_);
    HatalarGosterF8->setShortcut(Qt::Key_F8);
    idleActions_ << HatalarGosterF8;
}

void MainActions::SetCaptions() const {
    for (const auto& [object, id] : captions_) {
        const QString text = LanguageText(id);
        if (auto* action = qobject_cast<QAction*>(object))
            action->setText(text);
        else if (auto* menu = qobject_cast<QMenu*>(object))
            menu->setTitle(text);
    }
}

} // namespace mivarelo
