Attribute VB_Name = "m"
' a comment
Option Explicit

Public Property Let Size(ByVal v As Long)
End Property
Private Sub Main()
    Dim i As Long
    If i = 0 Then i = 1
    For i = 1 To 3
    Next i
Done:
End Sub
