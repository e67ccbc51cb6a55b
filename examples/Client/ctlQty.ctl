VERSION 5.00
Begin VB.UserControl ctlQty 
   ClientHeight    =   375
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   1500
   ScaleHeight     =   375
   ScaleWidth      =   1500
   Begin VB.TextBox txtQty 
      Alignment       =   1  'Right Justify
      Height          =   315
      Left            =   0
      TabIndex        =   0
      Top             =   0
      Width           =   1095
   End
   Begin VB.VScrollBar vsbQty 
      Height          =   315
      Left            =   1140
      Max             =   0
      Min             =   9999
      TabIndex        =   1
      Top             =   0
      Width           =   255
   End
End
Attribute VB_Name = "ctlQty"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
Option Explicit

' A quantity box: digits only, stepped by the scroll bar.

Private Const MAX_QTY As Long = 9999
Private mQty As Long

Public Event Changed(ByVal NewQty As Long)

Public Property Get Qty() As Long
    Qty = mQty
End Property

Public Property Let Qty(ByVal NewQty As Long)
    If NewQty < 0 Then
        NewQty = 0
    ElseIf NewQty > MAX_QTY Then
        NewQty = MAX_QTY
    End If
    mQty = NewQty
    txtQty.Text = CStr(mQty)
    vsbQty.Value = mQty
    PropertyChanged "Qty"
    RaiseEvent Changed(mQty)
End Property

Private Sub vsbQty_Change()
    Qty = vsbQty.Value
End Sub

Private Sub txtQty_KeyPress(KeyAscii As Integer)
    ' Digits and Backspace only.
    If KeyAscii <> 8 And (KeyAscii < 48 Or KeyAscii > 57) Then KeyAscii = 0
End Sub

Private Sub UserControl_ReadProperties(PropBag As PropertyBag)
    Qty = PropBag.ReadProperty("Qty", 0)
End Sub

Private Sub UserControl_WriteProperties(PropBag As PropertyBag)
    PropBag.WriteProperty "Qty", mQty, 0
End Sub
