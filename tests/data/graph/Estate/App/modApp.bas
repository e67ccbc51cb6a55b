Attribute VB_Name = "modApp"
Option Explicit
Sub Main()
    MsgBox Tax(100)
End Sub
