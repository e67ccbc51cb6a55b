Attribute VB_Name = "Main"
Option Explicit

Public Sub Main()
    Dim i As Integer
End Sub
