VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.UserControl ctlGauge 
   ClientHeight    =   600
	Begin MSComctlLib.ProgressBar prgValue 
	End
   Begin VB.Shape shpBar 
   End
End
Attribute VB_Name = "ctlGauge"
Attribute VB_Exposed = True
Option Explicit

Private mValue As Long

Public Property Get Value() As Long
    Value = mValue
End Property
