#pragma once
// The names of the interface texts the program fetches from the language
// files (resources/lang/english.txt and turkish.txt), one constant per id,
// so that code says which text it shows instead of a bare number. Each name
// says what the English text says. Ranges read by arithmetic are named by
// their first and last id. The list is one X-macro so that AllLanguageIds
// holds every name, and the language file test checks each one.
//
// X(name, id) entries; the names become `inline constexpr int` constants.

namespace mivarelo {

// clang-format off
#define MIVARELO_LANGUAGE_IDS(X) \
    /* Main window: the File menu. */ \
    X(FileMenuId, 7401) \
    X(OpenFileId, 7402) \
    X(SaveFileId, 7403) \
    X(ResetId, 7404) \
    X(PrintOrientationId, 7405) \
    X(PrintTypeId, 7406) \
    X(LandscapeId, 7407) \
    X(PortraitId, 7408) \
    X(ProportionalId, 7409) \
    X(AsItIsId, 7410) \
    X(FitToPageId, 7411) \
    X(ExitId, 7412) \
    X(PrintPreviewId, 7461) \
    X(ExportPdfId, 7462) \
    X(PrintId, 7463) \
    X(ExportPngId, 7740) \
    X(ExportSvgId, 7741) \
    X(ExportHtmlId, 7820) \
    X(PrintProgramId, 7821) \
    X(ExamplesMenuId, 7910) \
    /* The Procedure menu and running. */ \
    X(ProcedureMenuId, 7413) \
    X(StopId, 7414) \
    X(AddProcedureId, 7415) \
    X(RunProcedureId, 7416) \
    X(DeleteProcedureId, 7417) \
    X(EnterArgumentsId, 7418) \
    X(RenameProcedureId, 7419) \
    X(RunSpeedId, 7760) \
    X(FullSpeedId, 7761) \
    X(FastSpeedId, 7762) \
    X(NormalSpeedId, 7763) \
    X(SlowSpeedId, 7764) \
    X(StepByStepId, 7765) \
    X(PauseContinueId, 7766) \
    X(StepId, 7768) \
    /* The Options menu. */ \
    X(OptionsMenuId, 7420) \
    X(TurtleAppearanceId, 7421) \
    X(TurtleImage1Id, 7422) \
    X(TurtleImage2Id, 7423) \
    X(TurtleCircleId, 7424) \
    X(OtherImageId, 7425) \
    X(TurnCommandTypeId, 7426) \
    X(TurnSetHeadingId, 7427) \
    X(TurnClosestId, 7428) \
    X(TurnLeftId, 7429) \
    X(TurnRightId, 7430) \
    X(ShowVariablesId, 7431) \
    X(FollowTurtleId, 7432) \
    X(UseDirectionsId, 7433) \
    X(ScreenColourMenuId, 7435) \
    X(LanguageMenuId, 7436) \
    X(EnglishId, 7437) \
    X(TurkishId, 7438) \
    X(CommandLanguageId, 7439) \
    X(TurkishLongCommandsId, 7440) \
    X(TurkishShortCommandsId, 7441) \
    X(EnglishLongCommandsId, 7442) \
    X(EnglishShortCommandsId, 7443) \
    X(StopAtErrorsId, 7444) \
    X(ShowErrorsId, 7445) \
    X(CorrectErrorsId, 7446) \
    X(AcceptSpacesId, 7447) \
    X(InsertColourId, 7822) \
    X(ZoomMenuId, 7911) \
    X(ZoomFitId, 7912) \
    X(Zoom50Id, 7913) \
    X(Zoom100Id, 7914) \
    X(Zoom200Id, 7915) \
    X(ZoomInId, 7916) \
    X(ZoomOutId, 7917) \
    X(KeepInViewId, 7918) \
    X(PreciseTurtleId, 7961) \
    /* The Modes and Help menus. */ \
    X(ModesMenuId, 7449) \
    X(CommandModeId, 7450) \
    X(GraphicalModeId, 7451) \
    X(QuickCommandsId, 7453) \
    X(ShowStatusBarId, 7454) \
    X(ShowCommandWindowId, 7456) \
    X(RunWhenOpenedId, 7457) \
    X(SetDefaultProgramId, 7459) \
    X(RefreshScreenId, 7471) \
    X(AllowUndoId, 7472) \
    X(VariableInspectorId, 7769) \
    X(HelpMenuId, 7466) \
    X(AboutId, 7467) \
    X(ContentsId, 7468) \
    X(LogoCommandsId, 7469) \
    X(SamplesId, 7470) \
    /* Printing: the page-size box, failed jobs and the printed footer. */ \
    X(PageSizeId, 7474) \
    X(MillimetresId, 7475) \
    X(PixelsId, 7476) \
    X(PrinterNotStartedId, 7477) \
    X(PrintingFailedId, 7478) \
    X(FileNotWrittenId, 7479) \
    X(CouldNotPrintId, 7738) \
    X(PictureFooterId, 7748) \
    X(PictureCreditId, 7749) \
    /* The About box. */ \
    X(AboutTaglineId, 7480) \
    X(VersionId, 7481) \
    X(AboutInvitationId, 7482) \
    X(AboutFourWaysId, 7483) \
    X(AboutCreditId, 7484) \
    /* Graphical mode: button names are ButtonNameFirstId + n, or */ \
    /* RelativeButtonNameFirstId + n for buttons 1-9 turning relative */ \
    /* to the turtle; the first of each names "no button yet". */ \
    X(ButtonNameFirstId, 7500) \
    X(UndoId, 7540) \
    X(RedoId, 7541) \
    X(ButtonNameLastId, 7541) \
    X(EraserOffId, 7560) \
    X(EraserOnId, 7561) \
    X(ReadyId, 7562) \
    X(RunningId, 7563) \
    X(RelativeButtonNameFirstId, 7580) \
    X(RelativeButtonNameLastId, 7589) \
    /* Graphical mode: window caption, labels and the pen-down text. */ \
    X(GraphicalModeCaptionId, 7600) \
    X(LastCommandId, 7601) \
    X(CommandNumberId, 7602) \
    X(StepLengthLabelId, 7603) \
    X(ArcAngleLabelId, 7604) \
    X(FontSizeLabelId, 7605) \
    X(FreeCommandId, 7606) \
    X(ProceduresLabelId, 7607) \
    X(RecordingMacroId, 7608) \
    X(PenDownLabelId, 7609) \
    X(HeadingLabelId, 7610) \
    /* Graphical mode: button hints, by each button's help context number. */ \
    X(ClearHintId, 1201) \
    X(TurnLeftHintId, 1204) \
    X(TurnRightHintId, 1205) \
    X(PenDownHintId, 1206) \
    X(PenUpHintId, 1207) \
    X(HideHintId, 1208) \
    X(ShowHintId, 1209) \
    X(PenColourHintId, 1210) \
    X(ScreenColourHintId, 1211) \
    X(FillHintId, 1213) \
    X(HomeHintId, 1214) \
    X(SetHomeHintId, 1215) \
    X(WriteTextHintId, 1221) \
    X(FontSizeHintId, 1226) \
    X(PenWidthHintId, 1229) \
    X(RepeatHintId, 1230) \
    X(RecordHintId, 1231) \
    X(StopRecordingHintId, 1232) \
    X(UpLeftHintId, 1301) \
    X(UpHintId, 1302) \
    X(UpRightHintId, 1303) \
    X(LeftHintId, 1304) \
    X(RightHintId, 1305) \
    X(DownLeftHintId, 1306) \
    X(DownHintId, 1307) \
    X(DownRightHintId, 1308) \
    X(UpLeftAngleHintId, 1309) \
    X(UpRightAngleHintId, 1310) \
    X(DownLeftAngleHintId, 1311) \
    X(DownRightAngleHintId, 1312) \
    X(ArcLeftHintId, 1313) \
    X(ArcRightHintId, 1314) \
    X(ArcAngleHintId, 1315) \
    X(RestartHintId, 1316) \
    X(StepHintId, 1317) \
    X(EraserHintId, 1318) \
    X(BackHintId, 1319) \
    X(ForwardHintId, 1320) \
    /* Words written into procedures, replaced by their counterparts when */ \
    /* the interface language changes (WordListFirstId to WordListLastId). */ \
    X(WordListFirstId, 7611) \
    X(ResetWordId, 7611) \
    X(LeftWordId, 7612) \
    X(RightWordId, 7613) \
    X(ForwardWordId, 7614) \
    X(HomeWordId, 7615) \
    X(CleanWordId, 7616) \
    X(PenDownWordId, 7617) \
    X(PenUpWordId, 7618) \
    X(ShowTurtleWordId, 7619) \
    X(HideTurtleWordId, 7620) \
    X(SetHomeWordId, 7621) \
    X(FillWordId, 7622) \
    X(StepLengthVariableId, 7623) \
    X(ArcAngleVariableId, 7624) \
    X(MainProcedureNameId, 7625) \
    X(BackWordId, 7626) \
    X(SetPenWidthWordId, 7627) \
    X(SetFontSizeWordId, 7628) \
    X(LabelWordId, 7629) \
    X(SetPenColourWordId, 7630) \
    X(SetScreenColourWordId, 7631) \
    X(SetFillColourWordId, 7632) \
    X(RepeatWordId, 7633) \
    X(WordListLastId, 7640) \
    /* Prompts and questions. */ \
    X(EnterValueId, 7701) \
    X(EnterDiagonalAngleId, 7703) \
    X(EnterArcAngleId, 7704) \
    X(EnterFontSizeId, 7705) \
    X(EnterTextId, 7706) \
    X(EnterPenWidthId, 7707) \
    X(EnterProcedureNameId, 7708) \
    X(EnterArgumentListId, 7709) \
    X(ProcedureExistsId, 7710) \
    X(ProgramChangedId, 7711) \
    X(SaveProgramId, 7712) \
    X(CommandWindowId, 7715) \
    X(FinishMacroQuestionId, 7716) \
    X(MacroRecordingId, 7717) \
    X(DiagonalAngleRangeId, 7801) \
    X(ArcAngleTooLargeId, 7803) \
    /* Run errors. */ \
    X(UnknownCommandId, 7713) \
    X(LineId, 7714) \
    X(NestingTooDeepId, 7720) \
    X(MaximumLinesId, 7721) \
    X(TimeLimitId, 7722) \
    /* File messages: the first words, the reason and their caption. */ \
    X(CouldNotOpenFileId, 7730) \
    X(CouldNotSaveFileId, 7731) \
    X(DoesNotExistId, 7732) \
    X(NoReadPermissionId, 7733) \
    X(NotAProgramId, 7734) \
    X(CannotBeWrittenId, 7735) \
    X(UnsavableLetterReasonId, 7736) \
    X(ErrorCaptionId, 7737) \
    /* File dialogs: the filters of program files and pictures. */ \
    X(PngPictureFilterId, 7742) \
    X(MivareloProgramFilterId, 7744) \
    X(LogoProgramFilterId, 7745) \
    X(BitmapPictureFilterId, 7746) \
    X(PictureFileFilterId, 7747) \
    X(HtmlPageFilterId, 7823) \
    X(PngDrawnPartFilterId, 7919) \
    X(PngWholePictureFilterId, 7920) \
    X(SvgDrawnPartFilterId, 7921) \
    X(SvgWholePictureFilterId, 7922) \
    /* Setting the program as the default for its files. */ \
    X(FolderNotCreatedId, 7750) \
    X(CouldNotWriteId, 7751) \
    X(NoProgramGivenId, 7752) \
    X(ProgramMissingId, 7753) \
    X(CouldNotReadId, 7754) \
    X(DefaultProgramSetId, 7755) \
    X(CacheToolFailedId, 7756) \
    X(OnlyOneCopyId, 7757) \
    /* Watching a run: the variable inspector and the run toolbar. */ \
    X(GlobalVariablesId, 7770) \
    X(NameId, 7771) \
    X(ValueId, 7772) \
    X(RunToolBarId, 7773) \
    X(RunningLineId, 7774) \
    X(MoreCallsId, 7775) \
    X(RepeatCounterNameId, 7776) \
    /* Dialog captions and buttons. */ \
    X(WarningId, 7802) \
    X(InputId, 7805) \
    X(InformationId, 7806) \
    X(YesId, 7807) \
    X(NoId, 7808) \
    X(CancelId, 7809) \
    X(VariablesId, 7810) \
    X(ValuesId, 7811) \
    X(VariableWatchId, 7812) \
    X(DeletableProceduresId, 7813) \
    X(DeleteProcedureTitleId, 7814) \
    X(OkId, 7815) \
    X(ChooseColourId, 7825) \
    /* Console, command reference and program export. */ \
    X(ConsoleHintId, 7824) \
    X(OutputPaneHintId, 7826) \
    X(RunExampleId, 7831) \
    X(AutoRepairTitleId, 7832) \
    X(AutoRepairTextId, 7833) \
    X(ErrorsHeadingId, 7836) \
    X(ReferenceHeadingFirstId, 7837) \
    X(ReferenceHeadingLastId, 7845) \
    X(ReferenceIntroId, 7846) \
    /* The class gallery. */ \
    X(GalleryTitleId, 7850) \
    X(GalleryIntroId, 7851) \
    X(GalleryFactsId, 7852) \
    X(GalleryCleanId, 7853) \
    X(GalleryErrorsId, 7854) \
    X(GalleryTimeLimitId, 7855) \
    X(GalleryLineBudgetId, 7856) \
    X(GalleryUnreadableId, 7857) \
    X(GalleryCrashedId, 7858) \
    X(GalleryMoreErrorsId, 7859) \
    X(GalleryNothingDrawnId, 7860) \
    X(GalleryProgramLinkId, 7861) \
    X(GalleryModelCoveredId, 7862) \
    X(GalleryOnModelId, 7863) \
    X(GalleryModelId, 7864) \
    X(GallerySortByNameId, 7865) \
    X(GallerySortByLikenessId, 7866) \
    X(GalleryMeasureId, 7867) \
    X(GalleryNotWrittenId, 7868) \
    X(OpenClassFolderId, 7869) \
    X(ClassFolderRunningId, 7870) \
    X(ClassFolderFailedId, 7871) \
    /* Status bar formats (printf). */ \
    X(PositionFormatId, 7901) \
    X(HomeFormatId, 7902) \
    X(PenDownFormatId, 7903) \
    X(PenUpFormatId, 7904) \
    X(HeadingFormatId, 7905) \
    X(PenColourFormatId, 7906) \
    X(FillColourFormatId, 7907) \
    X(ScreenColourFormatId, 7908) \
    X(MouseFormatId, 7909) \
    /* Exported pictures, pending files, recovery and failures. */ \
    X(PictureSavedId, 7923) \
    X(OpensAfterRunId, 7924) \
    X(RestoreQuestionId, 7925) \
    X(RecoverProgramId, 7926) \
    X(RestoreId, 7927) \
    X(DiscardId, 7928) \
    X(LaterId, 7929) \
    X(SomethingWentWrongId, 7930) \
    X(ShowingProcedureId, 7931) \
    /* Converting classic Logo programs. */ \
    X(NotConvertedLineId, 7950) \
    X(NoCounterpartId, 7951) \
    X(UnknownClassicWordId, 7952) \
    X(MissingInputId, 7953) \
    X(NumberExpectedId, 7954) \
    X(CommandWordInTextId, 7955) \
    X(OneComparisonId, 7956) \
    X(UnclosedBracketId, 7957) \
    X(ColourExpectedId, 7959) \
    X(PreciseTurnedOnId, 7960) \
    X(OutsideProcedureId, 7963) \
    X(LogoFileTooLargeId, 7964) \
    /* Saving and loading program files, and mivarelo-run's messages. */ \
    X(UnsavableProcedureId, 7980) \
    X(UnsavableLetterId, 7981) \
    X(CannotReadProgramId, 7982) \
    X(CannotSaveProgramId, 7983) \
    X(CannotWritePictureId, 7984) \
    X(NoPermissionId, 7985) \
    X(NoSpaceId, 7986) \
    X(NotRegularFileId, 7987) \
    X(NoSuchFileId, 7988) \
    X(FileEndsEarlyId, 7989) \
    X(KeptAsWrittenId, 7990) \
    X(NoProcedureId, 7991) \
    X(ReadOnlyId, 7992) \
    X(NotRegularFileReasonId, 7993) \
    X(ProgramTooLargeId, 7994) \
    X(CannotReadInputId, 7995) \
    X(LongLineShortenedId, 7996) \
    X(VariableRenamedId, 7997) \
    X(NoOutputId, 7998) \
    X(CallerInputId, 7999)
// clang-format on

#define MIVARELO_LANGUAGE_ID_CONSTANT(name, id) inline constexpr int name = id;
MIVARELO_LANGUAGE_IDS(MIVARELO_LANGUAGE_ID_CONSTANT)
#undef MIVARELO_LANGUAGE_ID_CONSTANT

struct NamedLanguageId {
    const char* name;
    int id;
};

// Every named id with its name, for the check that both language files hold it.
#define MIVARELO_NAMED_LANGUAGE_ID(name, id) NamedLanguageId{#name, id},
inline constexpr NamedLanguageId AllLanguageIds[] = {
    MIVARELO_LANGUAGE_IDS(MIVARELO_NAMED_LANGUAGE_ID)};
#undef MIVARELO_NAMED_LANGUAGE_ID

} // namespace mivarelo
