Attribute VB_Name = "modTax"
Option Explicit

Private Declare Function GetTickCount Lib "kernel32" () As Long

' Eleven ways through: one past the first band.
Public Function Rate(ByVal code As Long) As Double
    Select Case code
        Case 1: Rate = 0.1
        Case 2: Rate = 0.2
        Case 3: Rate = 0.3
        Case 4: Rate = 0.4
        Case 5: Rate = 0.5
        Case 6: Rate = 0.6
        Case 7: Rate = 0.7
        Case 8: Rate = 0.8
        Case 9: Rate = 0.9
        Case Else: Rate = 0
    End Select
    If Rate > 0.5 Then Rate = 0.5
End Function
