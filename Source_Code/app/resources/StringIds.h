#pragma once
// The string ids the window and the reports ask for by name. Every text they show comes
// from the string tables: the ids below 6000 are the tables' own (the libraries may lack
// some of them, and then the program's own table answers); the ids from 6000 on were
// added with the program's texts and are held by every table, translated.
//
// One list, so a test can walk every named id through every table.

#include <array>

// X(name, id)
#define TOVU_STRING_IDS(X)                                                                                     \
    /* the tables' own texts */                                                                               \
    X(Language, 2)                                                                                            \
    X(LanguageItemFirst, 50)                                                                                  \
    X(ALogView, 111)                                                                                          \
    X(ProgramTitle, 130)                                                                                      \
    X(SettingsTab, 140)                                                                                       \
    X(NotesTab, 141)                                                                                          \
    X(NoteLabel, 142)                                                                                         \
    X(NoteOperator, 143)                                                                                      \
    X(NoteLocation, 144)                                                                                      \
    X(NoteProbe, 145)                                                                                         \
    X(NoteText, 146)                                                                                          \
    X(PanelsNode, 150)                                                                                        \
    X(ALogsNode, 151)                                                                                         \
    X(PanelItem, 152)                                                                                         \
    X(ALogItem, 153)                                                                                          \
    X(DetectorNode, 154)                                                                                      \
    X(SaveIndividualTitle, 174)                                                                               \
    X(AboutToWritePanels, 180)                                                                                \
    X(AboutToWritePanel, 181)                                                                                 \
    X(AboutToWriteALogs, 182)                                                                                 \
    X(AboutToWriteALog, 183)                                                                                  \
    X(IntoPanel, 184)                                                                                         \
    X(IntoALog, 185)                                                                                          \
    X(OfThe, 186)                                                                                             \
    X(IntoThe, 187)                                                                                           \
    X(SaveBeforeClosing, 189)                                                                                 \
    X(RecallALog, 500)                                                                                        \
    X(RecallPanel, 501)                                                                                       \
    X(DeleteALog, 502)                                                                                        \
    X(DeletePanel, 503)                                                                                       \
    X(IncompatibleTarget, 520)                                                                                \
    X(SelectAllOptions, 525)                                                                                  \
    X(DeleteAllOptions, 526)                                                                                  \
    X(ComPort, 548)                                                                                           \
    X(AboutMaker, 555)                                                                                        \
    X(AboutComments, 556)                                                                                     \
    X(AboutAddress, 557)                                                                                      \
    X(AboutDescription1, 558)                                                                                 \
    X(AboutDescription2, 559)                                                                                 \
    X(AboutDescription3, 560)                                                                                 \
    X(CheckingStatus, 561)                                                                                    \
    X(StatusProgram, 600)                                                                                     \
    X(StatusVersion, 601)                                                                                     \
    X(StatusValidPanels, 602)                                                                                 \
    X(StatusValidALogs, 603)                                                                                  \
    X(StatusReport, 604)                                                                                      \
    /* the program's added texts: in every table */                                                           \
    X(EraseMemoryMenu, 6161)                                                                                  \
    X(ErasePanelsMenu, 6162)                                                                                  \
    X(EraseALogsMenu, 6163)                                                                                   \
    X(FinnishItem, 6164)                                                                                      \
    X(RussianItem, 6165)                                                                                      \
    X(PolishItem, 6166)                                                                                       \
    X(ChineseItem, 6167)                                                                                      \
    X(PictureTypeMenu, 6168)                                                                                  \
    X(PictureMetafileMenu, 6169)                                                                              \
    X(PictureBitmapMenu, 6170)                                                                                \
    X(LinkBusy, 6250)                                                                                         \
    X(OpenUnsavedQuestion, 6251)                                                                              \
    X(RecycleQuestion, 6252)                                                                                  \
    X(HelpFileMissing, 6253)                                                                                  \
    X(HelpViewerMissing, 6254)                                                                                \
    X(NoItemSelected, 6255)                                                                                   \
    X(ReportControls, 6256)                                                                                   \
    X(ReportNew, 6257)                                                                                        \
    X(ReportAddShown, 6258)                                                                                   \
    X(ReportAddSelected, 6259)                                                                                \
    X(ReportSaveClose, 6260)                                                                                  \
    X(ReportShow, 6261)                                                                                       \
    X(DiscardForOtherMemory, 6262)                                                                            \
    X(ItemsNotRead, 6263)                                                                                     \
    X(AtLine, 6264)                                                                                           \
    X(ItemsInMemoryUnchanged, 6265)                                                                           \
    X(ItemNotSaved, 6266)                                                                                     \
    X(ItemsNotSaved, 6267)                                                                                    \
    X(ReportFileNotCreated, 6268)                                                                             \
    X(ReplaceExistingFile, 6269)                                                                              \
    X(DownloadAllPanels, 6270)                                                                                \
    X(DownloadAllALogs, 6271)                                                                                 \
    X(ALogTransferTitle, 6272)                                                                                \
    X(NoFileSelected, 6273)                                                                                   \
    X(InfoTitle, 6274)                                                                                        \
    X(IsEmpty, 6275)                                                                                          \
    X(DfdFileTitle, 6276)                                                                                     \
    X(GetAllALogsError, 6277)                                                                                 \
    X(StatusErrorTitle, 6278)                                                                                 \
    X(BaudRateInformation, 6279)                                                                              \
    X(AboutCaption, 6280)                                                                                     \
    X(VersionCaption, 6281)                                                                                   \
    X(MemoTab, 6282)                                                                                          \
    X(HelpButton, 6283)                                                                                       \
    X(EnterReportTitle, 6284)                                                                                 \
    X(ReportNotCreated, 6285)                                                                                 \
    X(NoWordProcessor, 6286)                                                                                  \
    X(CreateDocument, 6287)                                                                                   \
    X(OperatorNotes, 6288)                                                                                    \
    X(UnsupportedModel, 6289)                                                                                 \
    X(MenuCopyError, 6290)                                                                                    \
    X(PrintoutMemo, 6291)                                                                                     \
    X(ButtonOk, 6292)                                                                                         \
    X(ButtonCancel, 6293)                                                                                     \
    X(ButtonYes, 6294)                                                                                        \
    X(ButtonNo, 6295)                                                                                         \
    X(MemoryMenu, 6296)                                                                                       \
    X(ScanCurrent, 6297)

namespace tovu::resources {

namespace ids {
#define TOVU_STRING_ID_CONSTANT(name, id) inline constexpr int name = id;
TOVU_STRING_IDS(TOVU_STRING_ID_CONSTANT)
#undef TOVU_STRING_ID_CONSTANT
} // namespace ids

struct NamedStringId {
    const char* name;
    int id;
};

// Every id above, in the order listed.
inline constexpr std::array kNamedStringIds = {
#define TOVU_STRING_ID_ENTRY(name, id) NamedStringId{#name, id},
    TOVU_STRING_IDS(TOVU_STRING_ID_ENTRY)
#undef TOVU_STRING_ID_ENTRY
};

// The program's added texts start here; each is held by every table.
inline constexpr int kFirstAddedStringId = 6000;

} // namespace tovu::resources
