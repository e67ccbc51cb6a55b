Attribute VB_Name = "modOld"
Option Explicit

Dim counter As Integer

Public Sub Tick()
    While counter < 10
        counter = counter + 1
    Wend
End Sub
