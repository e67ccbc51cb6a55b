Attribute VB_Name = "Util"
Option Explicit

Public Sub Go()
End Sub
