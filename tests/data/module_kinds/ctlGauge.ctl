VERSION 5.00
Begin VB.UserControl ctlGauge 
   ClientHeight    =   600
   ClientWidth     =   2400
   ScaleHeight     =   600
   ScaleWidth      =   2400
   Begin VB.Shape shpBar 
      FillStyle       =   0  'Solid
   End
End
Attribute VB_Name = "ctlGauge"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
Option Explicit

' The value shown by the bar, 0 to 100.
Private mValue As Long

Public Event Changed()

Public Property Get Value() As Long
    Value = mValue
End Property

Public Property Let Value(ByVal NewValue As Long)
    If NewValue < 0 Then NewValue = 0
    mValue = NewValue
    RaiseEvent Changed
End Property
