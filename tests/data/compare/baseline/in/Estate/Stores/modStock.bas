Attribute VB_Name = "modStock"
Option Explicit

Public Function Reorder(ByVal qty As Long) As Boolean
    If qty < 10 Then
        Reorder = True
    End If
End Function
