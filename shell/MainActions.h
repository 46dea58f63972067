#pragma once
// The menus and actions of the main window, one QAction per entry, with the
// language id of each caption. The main window connects the actions; this
// class only builds them and retitles them on a language switch.
#include <QList>

#include <utility>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;

namespace mivarelo {

class MainActions {
public:
    // Builds every menu into `bar`; the actions belong to `owner`.
    MainActions(QMenuBar* bar, QObject* owner);

    // Every caption with a language id from the loaded language.
    void SetCaptions() const;
    // The actions that only a program at rest may use.
    const QList<QAction*>& IdleActions() const { return idleActions_; }

    QMenu* Dosya1 = nullptr;
    QAction* AcAction = nullptr;
    QAction* KaydetAction = nullptr;
    QAction* ResetAction = nullptr;
    QAction* MRUSeparator = nullptr;
    // Filled by ExamplesMenu.
    QMenu* OrneklerMenu = nullptr;
    QMenu* YazYn1 = nullptr;
    QAction* Yatay1 = nullptr;
    QAction* Dikey1 = nullptr;
    QMenu* YazTipi1 = nullptr;
    QAction* Oransal1 = nullptr;
    QAction* Aynen1 = nullptr;
    QAction* EkranaUydur1 = nullptr;
    QAction* YazdirResimAction = nullptr;
    QAction* PrintPreviewAction = nullptr;
    QAction* ExportPngAction = nullptr;
    QAction* ExportSvgAction = nullptr;
    QAction* ExportPdfAction = nullptr;
    QAction* ExportHtmlAction = nullptr;
    QAction* PrintProgramAction = nullptr;
    QAction* CikAction = nullptr;
    // The recent files, at the end of the File menu.
    QList<QAction*> MRU;

    QMenu* Prosedur1 = nullptr;
    QAction* DurDurAction = nullptr;
    QAction* EkleProsedurAction = nullptr;
    QAction* DoAction = nullptr;
    QAction* ProsedurSilmeAction = nullptr;
    QAction* ArgumanGirAction = nullptr;
    QAction* ProsedurIsimAction = nullptr;
    // Watching a run: its pace, Pause/Continue (checked while paused), Step.
    QMenu* RunSpeedMenu = nullptr;
    QAction* FullSpeedAction = nullptr;
    QAction* FastSpeedAction = nullptr;
    QAction* NormalSpeedAction = nullptr;
    QAction* SlowSpeedAction = nullptr;
    QAction* StepSpeedAction = nullptr;
    QAction* PauseAction = nullptr;
    QAction* StepAction = nullptr;

    QMenu* Seenekler1 = nullptr;
    QMenu* KaplumbaaGrnm1 = nullptr;
    QAction* Kaplum1 = nullptr;
    QAction* Kaplum2 = nullptr;
    QAction* Kaplum4 = nullptr;
    QAction* Kaplum5 = nullptr;
    QMenu* DnKomut1 = nullptr;
    QAction* Donus1 = nullptr;
    QAction* Donus2 = nullptr;
    QAction* Donus3 = nullptr;
    QAction* Donus4 = nullptr;
    QAction* GosterDegiskenAction = nullptr;
    QAction* FareTakipEt1 = nullptr;
    QAction* YnKullan1 = nullptr;
    QAction* SetEkranRenkAction = nullptr;
    // Writes a chosen colour as a colour list at the editor's cursor.
    QAction* InsertColourAction = nullptr;
    QMenu* Dil2 = nullptr;
    QAction* English1 = nullptr;
    QAction* Turkce1 = nullptr;
    QMenu* Dil1 = nullptr;
    QMenu* ZoomMenu = nullptr;
    QAction* ZoomFitAction = nullptr;
    QAction* Zoom50Action = nullptr;
    QAction* Zoom100Action = nullptr;
    QAction* Zoom200Action = nullptr;
    QAction* ZoomInAction = nullptr;
    QAction* ZoomOutAction = nullptr;
    QAction* KeepInViewAction = nullptr;
    QAction* DoTurkceAction = nullptr;
    QAction* DoTurkceKisaAction = nullptr;
    QAction* DoIngilizceAction = nullptr;
    QAction* DoIngilizceKisaAction = nullptr;
    QAction* HatalardaDurAction = nullptr;
    QAction* HatalarGosterAction = nullptr;
    QAction* HataDuzeltAction = nullptr;
    QAction* BoslukKabulEtAction = nullptr;
    QAction* HassasKaplumbagaAction = nullptr; // the precise turtle

    QMenu* Modlar1 = nullptr;
    QAction* DoNormalKomutAction = nullptr;
    QAction* DoButonFormAction = nullptr;
    QAction* HizliAction = nullptr;
    QAction* DurumCubuguAction = nullptr;
    QAction* InspectorAction = nullptr;
    QAction* KomutPencereGosterAction = nullptr;
    QAction* AcincaCalistirAction = nullptr;
    QAction* KurOnuAction = nullptr;
    QAction* RefreshScreen1 = nullptr;
    QAction* CanUndoLastCommand1 = nullptr;

    QMenu* Yardm1 = nullptr;
    QAction* Hakkinda1 = nullptr;
    QAction* Yardmindekiler1 = nullptr;
    QAction* YardmKomutlar1 = nullptr;
    QAction* MIVARELOrnekler1 = nullptr;

    // F8 while idle: the next error of the list.
    QAction* HatalarGosterF8 = nullptr;

private:
    QAction* Add(QMenu* menu, int id, const char* caption, bool checkable = false);
    QMenu* AddMenu(QMenuBar* bar, QMenu* parent, int id, const char* caption);
    void BuildFileMenu(QMenuBar* bar);
    void BuildProcedureMenu(QMenuBar* bar);
    void BuildRunSpeedMenu(QMenuBar* bar);
    void BuildOptionsMenu(QMenuBar* bar);
    void BuildModesMenu(QMenuBar* bar);
    void BuildHelpMenu(QMenuBar* bar);
    QActionGroup* Group(std::initializer_list<QAction*> actions);

    QObject* owner_;
    QList<std::pair<QObject*, int>> captions_;
    QList<QAction*> idleActions_;
};

} // namespace mivarelo
