Attribute VB_Name = "modMain"
Option Explicit

Public Sub Main()
    frmShell.Show
End Sub
