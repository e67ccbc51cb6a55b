Attribute VB_Name = "m"
Option Explicit
' comment

Private Sub S()
    Dim i As Long
    For i = 1 To 2
        If i = 1 Then i = 2
    Next
End Sub

