Attribute VB_Name = "modAll"
Option Explicit
' every statement kind once
Rem old style

Private Declare Function GetTickCount Lib "kernel32" () As Long
Public Enum Colour
    Red
End Enum
Private Type Point
    X As Long
End Type
Const LIMIT = 10
Public Total As Long
Global Const G = 1

Function Sum(ByVal n As Long) As Long
    Dim i As Long
    #If DEBUG Then
    #End If
    For i = 1 To n
        If i Mod 2 = 0 Then
            Sum = Sum + i
        ElseIf i = 3 Then
            GoTo Done
        End If
    Next
    Do While i > 0
        i = i - 1
    Loop
    While i < 2
        i = i + 1
    Wend
Done:
    Select Case i
    Case Else:
    End Select
End Function
Friend Sub Tick()
End Sub