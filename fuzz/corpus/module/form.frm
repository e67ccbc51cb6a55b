VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "Main"
   Begin VB.CommandButton cmdOk 
      Caption         =   "OK"
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Option Explicit

Private Sub cmdOk_Click()
    If x Then y = 1
End Sub
