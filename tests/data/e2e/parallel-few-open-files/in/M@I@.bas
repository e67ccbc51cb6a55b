Attribute VB_Name = "Mod"
Option Explicit

Public Sub S()
    Dim n As Long
    If n > 1 Then n = 0
End Sub
