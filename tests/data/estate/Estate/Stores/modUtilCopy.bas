Attribute VB_Name = "modUtil"
Option Explicit

Public Declare Function GetTickCount Lib "kernel32" () As Long

Public Enum LogLevel
    llInfo = 0
    llError = 1
End Enum

Private mLastTick As Long

' Writes one line to the debug window
Public Sub LogLine(ByVal text As String)
    mLastTick = GetTickCount
    Debug.Print mLastTick, text
End Sub

Public Function Padded(ByVal text As String, ByVal width As Integer) As String
    Do While Len(text) < width
        text = text & " "
    Loop
    Padded = text
End Function
