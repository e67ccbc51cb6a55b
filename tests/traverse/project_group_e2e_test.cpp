// Projects and project groups as VB6 leaves them on disk: sibling project
// folders, a module shared through "..\", a name with a blank, references in
// another letter case than the files, CR LF everywhere.
#include <gtest/gtest.h>

#include "harness.h"
#include "traverse_expect.h"

namespace codetal::test {
namespace {

// ---- The shop group. Every module's counts are worked out beside it. ----

// 15 lines: code 12, comment 1, blank 2; Function, If, ElseIf, Const.
const std::string kModShared = R"vb(Attribute VB_Name = "modShared"
Option Explicit

' Helpers shared by every project
Public Const APP_TITLE As String = "Shop"

Public Function Clamp(ByVal Value As Long, ByVal Low As Long, ByVal High As Long) As Long
    If Value < Low Then
        Clamp = Low
    ElseIf Value > High Then
        Clamp = High
    Else
        Clamp = Value
    End If
End Function
)vb";
const Counts kModSharedCounts = {15, 12, 1, 2, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};

// 31 lines, of which the designer header (Begin VB.Form .. the last
// Attribute line) is 15: 16 counted, code 13, blank 3; 2 Subs, For, Dim, Var.
const std::string kFrmMain = R"vb(VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "Shop"
   ClientHeight    =   3195
   ClientWidth     =   4680
   StartUpPosition =   3  'Windows Default
   Begin VB.CommandButton cmdOrder 
      Caption         =   "&Order"
      Height          =   495
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private mOrder As clsOrder

Private Sub Form_Load()
    Set mOrder = New clsOrder
    Caption = APP_TITLE
End Sub

Private Sub cmdOrder_Click()
    Dim Qty As Long
    For Qty = 1 To 3
        mOrder.AddLine "Widget", Qty
    Next
End Sub
)vb";
const Counts kFrmMainCounts = {16, 13, 0, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 0};

// 18 lines, header 6: 12 counted, code 10, blank 2; Event, Sub (and a label,
// which the table does not show).
const std::string kFrmOrder = R"vb(VERSION 5.00
Begin VB.Form frmOrder 
   Caption         =   "Order"
   ClientHeight    =   2000
End
Attribute VB_Name = "frmOrder"
Attribute VB_PredeclaredId = True
Option Explicit

Public Event Saved(ByVal OrderId As Long)

Private Sub cmdSave_Click()
    On Error GoTo SaveFailed
    RaiseEvent Saved(1)
    Exit Sub
SaveFailed:
    MsgBox "Not saved"
End Sub
)vb";
const Counts kFrmOrderCounts = {12, 10, 0, 2, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// 18 lines: code 15, blank 3; Sub, Do, WinAPI, Dim, Type.
const std::string kModClient = R"vb(Attribute VB_Name = "modClient"
Option Explicit

Private Declare Function GetTickCount Lib "kernel32" () As Long

Public Type OrderLine
    Item As String
    Qty As Long
End Type

Public Sub Main()
    Dim Started As Long
    Started = GetTickCount()
    Do While GetTickCount() - Started < 10
        DoEvents
    Loop
    frmMain.Show
End Sub
)vb";
const Counts kModClientCounts = {18, 15, 0, 3, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 0, 0};

// 22 lines, the class header counted as code: code 17, comment 1, blank 4;
// 2 Subs, Property Get, Var.
const std::string kClsOrder = R"vb(VERSION 1.0 CLASS
BEGIN
  MultiUse = -1  'True
END
Attribute VB_Name = "clsOrder"
Attribute VB_Exposed = False
Option Explicit

Private mLines As Collection

Public Property Get Count() As Long
    Count = mLines.Count
End Property

Public Sub AddLine(ByVal Item As String, ByVal Qty As Long)
    ' remember the line for the report
    mLines.Add Item & ";" & Qty
End Sub

Private Sub Class_Initialize()
    Set mLines = New Collection
End Sub
)vb";
const Counts kClsOrderCounts = {22, 17, 1, 4, 2, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};

// 25 lines: code 20, blank 5; Function, Let, Get, If, Var, Enum.
const std::string kClsStock = R"vb(VERSION 1.0 CLASS
BEGIN
  MultiUse = -1  'True
END
Attribute VB_Name = "clsStock"
Option Explicit

Public Enum StockState
    ssInStock = 0
    ssSoldOut = 1
End Enum

Private mLevel As Long

Public Property Let Level(ByVal Value As Long)
    mLevel = Value
End Property

Public Property Get Level() As Long
    Level = mLevel
End Property

Public Function State() As StockState
    If mLevel > 0 Then State = ssInStock Else State = ssSoldOut
End Function
)vb";
const Counts kClsStockCounts = {25, 20, 0, 5, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0};

// 13 lines: code 10, comment 1 (Rem), blank 2; Sub, While (at Wend), Dim,
// Var (Global).
const std::string kModDb = R"vb(Attribute VB_Name = "modDb"
Option Explicit

Rem Database access for the server
Global gConnected As Boolean

Public Sub Connect()
    Dim Tries As Integer
    While Not gConnected
        Tries = Tries + 1
        gConnected = Tries > 2
    Wend
End Sub
)vb";
const Counts kModDbCounts = {13, 10, 1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0};

// 11 lines: code 9, blank 2; Sub, For, Dim, Const.
const std::string kModTools = R"vb(Attribute VB_Name = "modTools"
Option Explicit

Private Const MAX_ITEMS As Long = 100

Public Sub Reindex()
    Dim i As Long
    For i = 1 To MAX_ITEMS
        Debug.Print i
    Next i
End Sub
)vb";
const Counts kModToolsCounts = {11, 9, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1};

// Server: clsStock + modDb + modShared.
const Counts kServerTotals = {53, 42, 2, 9, 1, 2, 1, 1, 0, 2, 1, 0, 1, 0, 0, 1, 2, 0, 1, 1};
// Client: frmMain + frmOrder + modClient + clsOrder + modShared.
const Counts kClientTotals = {83, 67, 2, 14, 6, 1, 0, 1, 1, 1, 1, 1, 0, 1, 1, 2, 2, 1, 0, 1};
// Server + Client + Tools (modTools alone).
const Counts kGroupTotals = {147, 118, 4, 25, 8, 3, 1, 2, 1, 3, 2, 1, 1, 2, 1, 4, 4, 1, 1, 3};

const std::string kGroupFile = R"vb(VBGROUP 5.0
Project=Server\Server.vbp
StartupProject=Client\Client.vbp
Project=Tools\Tools.vbp
)vb";

// The class's file is "clsStock.cls" and its folder "Data".
const std::string kServerProject = R"vb(Type=OleDll
Reference=*\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\..\WINDOWS\system32\stdole2.tlb#OLE Automation
Class=clsStock; CLSSTOCK.CLS
Module=modDb; data\modDb.bas
Module=modShared; ..\Shared\modShared.bas
Startup="(None)"
Name="ShopServer"
CompatibleMode="1"
)vb";

const std::string kClientProject = R"vb(Type=Exe
Reference=*\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\..\WINDOWS\system32\stdole2.tlb#OLE Automation
Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX
Form=frmMain.frm
Form=Order Forms\frmOrder.frm
Module=modClient; modClient.bas
Class=clsOrder; clsOrder.cls
Module=modShared; ..\Shared\modShared.bas
Startup="frmMain"
Name="ShopClient"

[MS Transaction Server]
AutoRefresh=1
)vb";

const std::string kToolsProject = "Type=Exe\nModule=modTools; modTools.bas\nName=\"ShopTools\"\n";

void write_shop(const TempFolder& folder, const std::string& at) {
  folder.write(at + "Shop.vbg", crlf(kGroupFile));
  folder.write(at + "Server/Server.vbp", crlf(kServerProject));
  folder.write(at + "Server/clsStock.cls", crlf(kClsStock));
  folder.write(at + "Server/Data/modDb.bas", crlf(kModDb));
  folder.write(at + "Client/Client.vbp", crlf(kClientProject));
  folder.write(at + "Client/frmMain.frm", crlf(kFrmMain));
  folder.write(at + "Client/Order Forms/frmOrder.frm", crlf(kFrmOrder));
  folder.write(at + "Client/modClient.bas", crlf(kModClient));
  folder.write(at + "Client/clsOrder.cls", crlf(kClsOrder));
  folder.write(at + "Tools/Tools.vbp", crlf(kToolsProject));
  folder.write(at + "Tools/modTools.bas", crlf(kModTools));
  folder.write(at + "Shared/modShared.bas", crlf(kModShared));
}

std::string module_block(const std::string& name, const Counts& counts) {
  return name + " \n" + rows(counts);
}

std::string server_report() {
  return project_title("SERVER\\SERVER.VBP") + kHeadings +
         module_block("Server\\CLSSTOCK.CLS", kClsStockCounts) +
         module_block("Server\\data\\modDb.bas", kModDbCounts) +
         module_block("Server\\..\\Shared\\modShared.bas", kModSharedCounts) +
         project_totals(kServerTotals);
}

TEST(ProjectGroup, ShopGroupReportsEveryProjectWithTotals) {
  TempFolder folder;
  write_shop(folder, "");
  add_quiet_options(folder);
  RunResult result = run_codetal(folder, {"Shop.vbg"});

  const std::string expected_report =
      "PROJECT GROUP: SHOP.VBG \n\n" + server_report() + project_title("CLIENT\\CLIENT.VBP") +
      kHeadings + module_block("Client\\frmMain.frm", kFrmMainCounts) +
      module_block("Client\\Order Forms\\frmOrder.frm", kFrmOrderCounts) +
      module_block("Client\\modClient.bas", kModClientCounts) +
      module_block("Client\\clsOrder.cls", kClsOrderCounts) +
      module_block("Client\\..\\Shared\\modShared.bas", kModSharedCounts) +
      project_totals(kClientTotals) + project_title("TOOLS\\TOOLS.VBP") + kHeadings +
      module_block("Tools\\modTools.bas", kModToolsCounts) + project_totals(kModToolsCounts) +
      group_totals(kGroupTotals);
  EXPECT_EQ(report_body(result), expected_report);

  // Modules analysed and no viewer on PATH: the run ends without waiting.
  const std::string expected_console =
      banner(folder.path()) + processing("Server\\CLSSTOCK.CLS") +
      processing("Server\\data\\modDb.bas") + processing("Server\\..\\Shared\\modShared.bas") +
      processing("Client\\frmMain.frm") + processing("Client\\Order Forms\\frmOrder.frm") +
      processing("Client\\modClient.bas") + processing("Client\\clsOrder.cls") +
      processing("Client\\..\\Shared\\modShared.bas") + processing("Tools\\modTools.bas") +
      kCompletion;
  EXPECT_EQ(result.out, expected_console);
  EXPECT_EQ(result.err, expected_console);
  EXPECT_EQ(result.status, 0);
}

TEST(ProjectGroup, ProjectRunFromAnotherFolderShowsTheFolderPart) {
  TempFolder folder;
  write_shop(folder, "work/");
  folder.make_folder("elsewhere");
  add_quiet_options(folder);
  add_quiet_options(folder, "elsewhere/");

  RunResult relative = run_codetal(folder, {"work/Server/Server.vbp"});
  std::string expected = project_title("WORK/SERVER/SERVER.VBP") + kHeadings +
                         module_block("work/server/CLSSTOCK.CLS", kClsStockCounts) +
                         module_block("work/server/data\\modDb.bas", kModDbCounts) +
                         module_block("work/server/..\\Shared\\modShared.bas", kModSharedCounts) +
                         project_totals(kServerTotals);
  EXPECT_EQ(report_body(relative), expected);
  EXPECT_EQ(relative.status, 0);

  // The command-line name is lower-cased, and still found on disk.
  std::string server = folder.path() + "/work/Server/Server.vbp";
  std::string lower = server;
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  std::string upper = server;
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  std::string lower_folder = lower.substr(0, lower.size() - std::string("server.vbp").size());
  RunOptions options;
  options.folder = "elsewhere";
  RunResult absolute = run_codetal(folder, {server}, options);
  expected = project_title(upper) + kHeadings +
             module_block(lower_folder + "CLSSTOCK.CLS", kClsStockCounts) +
             module_block(lower_folder + "data\\modDb.bas", kModDbCounts) +
             module_block(lower_folder + "..\\Shared\\modShared.bas", kModSharedCounts) +
             project_totals(kServerTotals);
  EXPECT_EQ(report_body(absolute), expected);
  EXPECT_EQ(absolute.status, 0);
}

// ---- Failures ----

const std::string kProgramWillContinue = "Codetal==>  Program will continue \n\n";
const std::string kProgramWillAbort = "Codetal==>  Program will abort \n\n";
// frmOrder + modTools.
const Counts kFormAndToolsTotals = {23, 19, 0, 4, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1};
const Counts kZero = {};

// Form1.frm and modUtil.bas exist; modGone.bas does not.
void write_project_with_a_gap(const TempFolder& folder, const std::string& at) {
  folder.write(at + "app.vbp", crlf("Type=Exe\nForm=Form1.frm\nModule=modGone; modGone.bas\n"
                                    "Module=modUtil; modUtil.bas\n"));
  folder.write(at + "Form1.frm", crlf(kFrmOrder));
  folder.write(at + "modUtil.bas", crlf(kModTools));
}

TEST(ProjectFailures, MissingModuleOfAProjectAloneIsPassedOver) {
  TempFolder folder;
  add_quiet_options(folder);
  write_project_with_a_gap(folder, "");
  RunResult result = run_codetal(folder, {"app.vbp"});
  EXPECT_EQ(report_body(result), project_title("APP.VBP") + kHeadings +
                                     module_block("Form1.frm", kFrmOrderCounts) + "modGone.bas \n" +
                                     module_block("modUtil.bas", kModToolsCounts) +
                                     project_totals(kFormAndToolsTotals));
  EXPECT_EQ(result.out, banner(folder.path()) + processing("Form1.frm") +
                            unable_to_open("modGone.bas") + kProgramWillContinue + kPrompt +
                            processing("modUtil.bas") + kCompletion);
  EXPECT_EQ(result.status, 2);
}

TEST(ProjectFailures, MissingModuleInsideAGroupStopsEverything) {
  TempFolder folder;
  add_quiet_options(folder);
  write_project_with_a_gap(folder, "One/");
  folder.write("Two/Two.vbp", crlf("Type=Exe\nModule=modTools; modTools.bas\n"));
  folder.write("Two/modTools.bas", crlf(kModTools));
  folder.write("app.vbg", crlf("VBGROUP 5.0\nStartupProject=One\\app.vbp\nProject=Two\\Two.vbp\n"));
  RunResult result = run_codetal(folder, {"app.vbg"});
  EXPECT_EQ(report_body(result), "PROJECT GROUP: APP.VBG \n\n" + project_title("ONE\\APP.VBP") +
                                     kHeadings + module_block("One\\Form1.frm", kFrmOrderCounts) +
                                     "One\\modGone.bas \n");
  // No completion: the run ends at once.
  EXPECT_EQ(result.out, banner(folder.path()) + processing("One\\Form1.frm") +
                            unable_to_open("One\\modGone.bas") + kProgramWillAbort + kPrompt +
                            "\n");
  EXPECT_EQ(result.status, 2);
}

TEST(ProjectFailures, MissingProjectAfterTwoGoodOnesStopsTheGroup) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("One/One.vbp", crlf("Type=Exe\nForm=Form1.frm\n"));
  folder.write("One/Form1.frm", crlf(kFrmOrder));
  folder.write("Two/Two.vbp", crlf("Type=Exe\nModule=modTools; modTools.bas\n"));
  folder.write("Two/modTools.bas", crlf(kModTools));
  folder.write("app.vbg", crlf("VBGROUP 5.0\nStartupProject=One\\One.vbp\nProject=Two\\Two.vbp\n"
                               "Project=Three\\Three.vbp\nProject=One\\One.vbp\n"));
  RunResult result = run_codetal(folder, {"app.vbg"});
  EXPECT_EQ(report_body(result), "PROJECT GROUP: APP.VBG \n\n" + project_title("ONE\\ONE.VBP") +
                                     kHeadings + module_block("One\\Form1.frm", kFrmOrderCounts) +
                                     project_totals(kFrmOrderCounts) +
                                     project_title("TWO\\TWO.VBP") + kHeadings +
                                     module_block("Two\\modTools.bas", kModToolsCounts) +
                                     project_totals(kModToolsCounts));
  EXPECT_EQ(result.out, banner(folder.path()) + processing("One\\Form1.frm") +
                            processing("Two\\modTools.bas") + unable_to_open("Three\\Three.vbp") +
                            kPrompt);
  EXPECT_EQ(result.status, 2);
}

TEST(ProjectFailures, EmptyProjectAndEmptyGroupGiveZeroTotals) {
  TempFolder folder;
  add_quiet_options(folder);
  folder.write("empty.vbp", "");
  folder.write("empty.vbg", "");
  RunResult project = run_codetal(folder, {"empty.vbp"});
  EXPECT_EQ(report_body(project), project_title("EMPTY.VBP") + kHeadings + project_totals(kZero));
  // Nothing analysed: the run waits for a key instead of opening a viewer.
  EXPECT_EQ(project.out, banner(folder.path()) + kCompletion + kPrompt);
  EXPECT_EQ(project.status, 0);

  RunResult group = run_codetal(folder, {"empty.vbg"});
  EXPECT_EQ(report_body(group), "PROJECT GROUP: EMPTY.VBG \n\n" + group_totals(kZero));
  EXPECT_EQ(group.out, banner(folder.path()) + kCompletion + kPrompt);
  EXPECT_EQ(group.status, 0);
}

}  // namespace
}  // namespace codetal::test
