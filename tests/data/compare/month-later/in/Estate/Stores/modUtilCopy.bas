Attribute VB_Name = "modUtil"
Option Explicit

Public Function Clamp(ByVal v As Long, ByVal lo As Long, ByVal hi As Long) As Long
    If v < lo Then
        Clamp = lo
    ElseIf v > hi Then
        Clamp = hi
    Else
        Clamp = v
    End If
End Function
