VERSION 5.00
Begin VB.MDIForm frmShell 
   Caption         =   "Inventory"
   ClientHeight    =   6000
   ClientWidth     =   8000
End
Attribute VB_Name = "frmShell"
Attribute VB_PredeclaredId = True
Option Explicit

Private Sub MDIForm_Load()
    Dim Child As Form
    Set Child = New frmMain
    Child.Show
End Sub
