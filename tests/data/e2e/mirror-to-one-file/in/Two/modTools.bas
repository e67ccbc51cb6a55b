Attribute VB_Name = "modTools"
Option Explicit

Private Const MAX_ITEMS As Long = 100

Public Sub Reindex()
    Dim i As Long
    For i = 1 To MAX_ITEMS
        Debug.Print i
    Next i
End Sub
