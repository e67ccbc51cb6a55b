VERSION 5.00
Begin VB.MDIForm frmShell 
   BackColor       =   &H8000000C&
   Caption         =   "Inventory"
   ClientHeight    =   6450
   ClientLeft      =   165
   ClientTop       =   735
   ClientWidth     =   9480
   StartUpPosition =   3  'Windows Default
   Begin VB.Menu mnuFile 
      Caption         =   "&File"
      Begin VB.Menu mnuFileExit 
         Caption         =   "E&xit"
      End
   End
End
Attribute VB_Name = "frmShell"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' The frame every other window of the client opens in.

Private Sub MDIForm_Load()
    Caption = "Inventory " & App.Major & "." & App.Minor
    frmMain.Show
End Sub

Private Sub MDIForm_QueryUnload(Cancel As Integer, UnloadMode As Integer)
    If MsgBox("Leave the inventory?", vbYesNo) = vbNo Then Cancel = True
End Sub

Private Sub mnuFileExit_Click()
    Unload Me
End Sub
