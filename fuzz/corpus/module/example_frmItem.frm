VERSION 5.00
Begin VB.Form frmItem 
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "Item"
   ClientHeight    =   2190
   ClientWidth     =   4680
   ShowInTaskbar   =   0   'False
   Begin VB.TextBox txtQuantity 
      Height          =   285
      Left            =   1560
      TabIndex        =   1
      Top             =   600
      Width           =   975
   End
   Begin VB.TextBox txtDescription 
      Height          =   285
      Left            =   1560
      TabIndex        =   0
      Top             =   120
      Width           =   3015
   End
   Begin VB.CommandButton cmdOK 
      Caption         =   "OK"
      Default         =   -1  'True
      Height          =   375
      Left            =   3240
      TabIndex        =   2
      Top             =   1680
      Width           =   1335
   End
End
Attribute VB_Name = "frmItem"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private mItem As clsItem

Public Event Saved(ByVal Code As String)

Public Sub Edit(ByVal Item As clsItem)
    Set mItem = Item
    txtDescription.Text = Item.Description
    txtQuantity.Text = CStr(Item.Quantity)
    Show vbModal
End Sub

Private Sub cmdOK_Click()
    If Not IsNumeric(txtQuantity.Text) Then
        MsgBox "The quantity must be a number.", vbExclamation
        Exit Sub
    ElseIf CLng(txtQuantity.Text) < 0 Then
        MsgBox "The quantity cannot be negative.", vbExclamation
        Exit Sub
    End If
    mItem.Description = txtDescription.Text
    mItem.Quantity = Clamp(CLng(txtQuantity.Text), 0, MAX_QUANTITY)
    RaiseEvent Saved(mItem.Code)
    Unload Me
End Sub
